#include "host/application.h"

#include "host/session.h"

const CPriceEntry* CHostApp::FindPriceEntry(int type) const {
    for (const CPriceEntry& entry : m_PriceEntries) {
        if (entry.nType == type) return &entry;
    }
    return nullptr;
}

CHostApp* GetHostApp() {
    host::Session* session = host::CurrentSession();
    return session ? &session->app : nullptr;
}
