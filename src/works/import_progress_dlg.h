#pragma once
// The progress window of the works import: a caption, a progress bar and "Interrompre". The
// window is modeless and lives on the thread that imports, which lets its messages through after
// each line; pressing "Interrompre" (or Escape) and confirming asks the import to stop after the
// line in progress. The object deletes itself when its window is destroyed.

#include <string>

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CImportProgressDlg : public CDialog {
  public:
    CImportProgressDlg();

    // Asks "Confirmez-vous l'interruption ?"; on Yes the import is to stop. The window stays.
    void OnCancel() override;

    // Shows caption above the bar.
    void SetCaption(std::string caption);
    // Shows the window above the others, its size unchanged, centred on the mouse pointer, and
    // draws it at once.
    void ShowAtPointer();

    bool m_bCancel = false;
    CProgressCtrl m_progress;
    std::string m_strCaption;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
};
