#pragma once
// The toaster: a small window without title that shows one line of text for three seconds in the
// bottom-right corner of the screen's work area, above the other windows, and then goes away by
// itself. The facade owns the object; the window closing does not delete it.

#include <string>

#include "platform/ui/dialog.h"

// How long a toaster stays on show.
inline constexpr unsigned PRIXEL_TOASTER_MS = 3000;

class CPrixelToasterDlg : public CDialog {
  public:
    CPrixelToasterDlg(std::string text, CWnd* parent);

    bool OnInitDialog() override;
    void OnTimer(unsigned id) override;

    std::string m_strText;
    unsigned m_nTimer = 0;  // 0 when the display timer could not be started

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void PlaceAtWorkAreaCorner();
};
