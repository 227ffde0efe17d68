#pragma once
// The toaster: a small window that shows one line of text for a few seconds at the corner of the
// screen's work area. The facade owns at most one.

#include <string>

class CPrixelToasterDlg {
  public:
    explicit CPrixelToasterDlg(std::string text) : m_strText(std::move(text)) {}
    virtual ~CPrixelToasterDlg() = default;

    std::string m_strText;
    unsigned m_nTimer = 0;
};
