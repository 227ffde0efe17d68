#include "module/prixel_ctrl.h"

#include "connection/prixel_request.h"
#include "connection/prixel_settings.h"
#include "import/prixel_maker.h"

CPrixelCtrl::CPrixelCtrl()
    : m_pSettings(new CPrixelSettings),
      m_pMakers(nullptr),
      m_nMakerCount(0),
      m_nOutdatedMakers(0),
      m_pToaster(nullptr),
      m_eRecordingState(PrixelNoAnswer) {}

CPrixelCtrl::~CPrixelCtrl() {
    delete m_pSettings;
    delete[] m_pMakers;
    m_pMakers = nullptr;
    DeleteToaster();
}

int CPrixelCtrl::GetArticleUpToDateCount() {
    int count = 0;
    for (int i = 0; i < m_nMakerCount; ++i) count += m_pMakers[i].GetOutdatedCount();
    return count;
}

CPrixelCtrl::PrixelRecordingState CPrixelCtrl::GetRecordingState() {
    return m_eRecordingState;
}

std::string CPrixelCtrl::ClearSymbol(std::string text) {
    return ClearSymbolText(std::move(text));
}
