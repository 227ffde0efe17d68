#pragma once
// The update dialog: the makers whose tariffs changed, each with the number of its out-of-date
// materials. The user refreshes one maker, all of them, or leaves. The dialog's result says which.

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CPrixelMaker;

class CPrixelUpdateDlg : public CDialog {
  public:
    // Results besides a maker's index in the array.
    static constexpr int UPDATE_QUIT = -2;
    static constexpr int UPDATE_ALL = -1;

    // The array stays the caller's.
    CPrixelUpdateDlg(CPrixelMaker* makers, int count, CWnd* parent);

    bool OnNotify(int id, ui::Notification code, int* result) override;
    bool OnInitDialog() override;
    void OnCancel() override;

    CListCtrl m_list;
    int m_nMakers;
    CPrixelMaker* m_pMakerArray;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void OnQuit();
    void OnUpdateOne();
    void OnUpdateAll();
    void OnListClick();
};
