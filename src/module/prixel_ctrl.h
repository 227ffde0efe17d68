#pragma once
// The plug-in's facade: the one class the library exports. The host creates one CPrixelCtrl,
// keeps it as long as it wants the service, and calls its members from its user-interface thread.

#define PRIXEL_EXPORT __attribute__((visibility("default")))

class CPrixelSettings;
class CPrixelMaker;
class CPrixelToasterDlg;

class PRIXEL_EXPORT CPrixelCtrl {
  public:
    enum PrixelUpdateState {
        PrixelUpToDate = 0,
        PrixelOutOfDate = 1,
        PrixelNotChecked = 2,
    };

    enum PrixelRecordingState {
        PrixelRecordedWithoutRights = 0,
        PrixelRecorded = 1,
        PrixelNotRecorded = 2,
        PrixelNoAnswer = 3,
    };

    CPrixelCtrl();
    // The facade owns its settings, maker array and toaster; a copy would own them twice, so the
    // facade cannot be copied.
    CPrixelCtrl(const CPrixelCtrl&) = delete;
    CPrixelCtrl& operator=(const CPrixelCtrl&) = delete;
    virtual ~CPrixelCtrl();

    // Number of library articles out of date over all makers of the last up-to-date check.
    int GetArticleUpToDateCount();
    // Outcome of the last customer recording or account creation; PrixelNoAnswer until one ran.
    PrixelRecordingState GetRecordingState();

  private:
    void DeleteToaster();

    CPrixelSettings* m_pSettings;
    CPrixelMaker* m_pMakers;
    int m_nMakerCount;
    int m_nOutdatedMakers;
    CPrixelToasterDlg* m_pToaster;
    PrixelRecordingState m_eRecordingState;
};
