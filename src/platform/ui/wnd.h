#pragma once
// The framework's window class: a handle to a window or a control of the current backend, with
// the operations the system's dialogs use on themselves and on their controls.

#include <map>
#include <memory>
#include <string>

#include "platform/ui/backend.h"
#include "platform/ui/geometry.h"

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

// SetWindowPos flags.
inline constexpr unsigned SWP_NOSIZE = 0x0001;
inline constexpr unsigned SWP_NOMOVE = 0x0002;
inline constexpr unsigned SWP_NOZORDER = 0x0004;
inline constexpr unsigned SWP_SHOWWINDOW = 0x0040;

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Places for SetWindowPos: first among the windows, or first and above the others for good.
    static const CWnd wndTop;
    static const CWnd wndTopMost;

    ui::Hwnd GetSafeHwnd() const { return m_hWnd; }
    // The control of that id in this window, or null. The object stays this window's.
    CWnd* GetDlgItem(int id);

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id);

    // Both answer whether the window was disabled (or hidden) before.
    bool EnableWindow(bool enable = true);
    bool IsWindowEnabled() const;
    bool ShowWindow(int command);
    bool IsWindowVisible() const;

    // Screen coordinates.
    void GetWindowRect(CRect* rect) const;
    // Screen coordinates for a window, its parent's client coordinates for a control.
    void MoveWindow(int x, int y, int width, int height, bool repaint = true);
    bool SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, unsigned flags);
    void SetFocus();
    // Invalidates, erases and repaints the window at once.
    void RedrawWindow();

    // Answers the id, or 0 when the timer could not be started.
    unsigned SetTimer(unsigned id, unsigned elapseMs);
    bool KillTimer(unsigned id);

    virtual bool DestroyWindow();

    // Events from the backend. OnNotify answers whether the notification was handled and may
    // set *result.
    virtual void OnTimer(unsigned id);
    virtual bool OnNotify(int id, ui::Notification code, int* result);

    ui::Hwnd m_hWnd = 0;

  protected:
    // Called last when the window has been destroyed; the object may delete itself here.
    virtual void PostNcDestroy() {}
    // Forgets the control objects handed out by GetDlgItem.
    void ForgetControls() { m_controls.clear(); }

  private:
    explicit CWnd(ui::Hwnd place) : m_hWnd(place) {}

    std::map<int, std::unique_ptr<CWnd>> m_controls;
};
