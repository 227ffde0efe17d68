#include "module/rights_check.h"

#include "host/application.h"
#include "host/rights.h"

bool MayModify() {
    const CHostApp* app = GetHostApp();
    return CMdaInterface::HasAcces(350, "MODIF", app ? app->m_pMainWnd : nullptr, 1) != 0;
}
