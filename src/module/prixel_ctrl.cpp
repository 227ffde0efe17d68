#include "module/prixel_ctrl.h"

#include "connection/prixel_request.h"
#include "connection/prixel_settings.h"
#include "import/prixel_maker.h"
#include "module/shared_holdings.h"

CPrixelCtrl::CPrixelCtrl()
    : m_pSettings(new CPrixelSettings),
      m_pMakers(nullptr),
      m_nMakerCount(0),
      m_nOutdatedMakers(0),
      m_pToaster(nullptr),
      m_eRecordingState(PrixelNoAnswer) {}

CPrixelCtrl::CPrixelCtrl(const CPrixelCtrl& other)
    : m_pSettings(other.m_pSettings),
      m_pMakers(other.m_pMakers),
      m_nMakerCount(other.m_nMakerCount),
      m_nOutdatedMakers(other.m_nOutdatedMakers),
      m_pToaster(other.m_pToaster),
      m_eRecordingState(other.m_eRecordingState) {
    holdings::Hold(m_pSettings);
    holdings::Hold(m_pMakers);
    holdings::Hold(m_pToaster);
}

// The other facade's objects are held before this one's are let go, so that objects the two
// already share survive.
CPrixelCtrl& CPrixelCtrl::operator=(const CPrixelCtrl& other) {
    if (this == &other) return *this;
    holdings::Hold(other.m_pSettings);
    holdings::Hold(other.m_pMakers);
    holdings::Hold(other.m_pToaster);
    holdings::LetGo(m_pSettings);
    holdings::LetGoArray(m_pMakers);
    DeleteToaster();
    m_pSettings = other.m_pSettings;
    m_pMakers = other.m_pMakers;
    m_nMakerCount = other.m_nMakerCount;
    m_nOutdatedMakers = other.m_nOutdatedMakers;
    m_pToaster = other.m_pToaster;
    m_eRecordingState = other.m_eRecordingState;
    return *this;
}

CPrixelCtrl::~CPrixelCtrl() {
    holdings::LetGo(m_pSettings);
    holdings::LetGoArray(m_pMakers);
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
