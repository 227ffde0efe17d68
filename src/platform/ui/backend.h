#pragma once
// The port between the dialogs and whatever shows them. The core (CWnd, CDialog, the controls,
// message boxes) asks the current backend to make windows from templates, to change and read the
// state of their controls, to run modal loops and timers; the backend tells the windows' objects
// of the events: control notifications and timers. Dialog logic stays in the dialogs.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/browser_view.h"
#include "platform/ui/geometry.h"
#include "platform/ui/resources.h"

class CWnd;

namespace ui {

// A window or a control of a window; 0 is no window. Handles are never used twice.
using Hwnd = int;

// What a control tells its dialog.
enum class Notification {
    Clicked,                // a button was pressed (Escape and the close box press button 2)
    Changed,                // the text of an edit changed
    KillFocus,              // an edit lost the focus
    ListClick,              // a click in a list view
    HeaderBeginTrack,       // the user starts dragging a divider of a list's header
    HeaderDividerDblClick,  // the user double-clicks a divider of a list's header
};

enum class ColumnAlign { Left, Right, Centre };

struct ListColumn {
    std::string heading;
    ColumnAlign align = ColumnAlign::Left;
    int width = 0;  // pixels
};

// Something other than windows that the event loop drives without a thread of its own (a
// network transfer, say). The loop asks it when it next needs attention and lets it work.
class LoopSource {
  public:
    virtual ~LoopSource() = default;
    // Milliseconds until it needs to be polled again; 0 for at once; -1 while it waits for nothing.
    virtual int NextWakeMs() = 0;
    // Does the work that is ready, waiting at most waitMs for some to become ready.
    virtual void Poll(int waitMs) = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // Windows. A dialog window is made hidden from its template, at the screen's origin; events
    // go to wnd. Operations on a handle that is no longer a window do nothing and answer defaults.
    virtual Hwnd CreateDialogWindow(const DialogTemplate& dialog, CWnd* wnd, Hwnd owner) = 0;
    virtual void DestroyWindow(Hwnd window) = 0;
    virtual bool IsWindow(Hwnd window) const = 0;
    virtual Hwnd GetControl(Hwnd dialog, int controlId) const = 0;
    virtual void SetText(Hwnd window, const std::string& text) = 0;
    virtual std::string GetText(Hwnd window) const = 0;
    virtual void Enable(Hwnd window, bool enable) = 0;
    virtual bool IsEnabled(Hwnd window) const = 0;
    virtual void Show(Hwnd window, bool show) = 0;
    virtual bool IsVisible(Hwnd window) const = 0;
    // Screen coordinates.
    virtual CRect GetRect(Hwnd window) const = 0;
    // Screen coordinates for a dialog, its client coordinates for a control.
    virtual void SetRect(Hwnd window, const CRect& rect) = 0;
    virtual void BringToTop(Hwnd window, bool topmost) = 0;
    virtual void SetFocus(Hwnd control) = 0;
    virtual void Redraw(Hwnd window) = 0;

    // List views. Rows and columns count from 0; a failed operation answers -1 or false.
    virtual int InsertColumn(Hwnd list, int column, const ListColumn& format) = 0;
    virtual int GetColumnWidth(Hwnd list, int column) const = 0;
    virtual int InsertItem(Hwnd list, int row, const std::string& text) = 0;
    virtual bool SetItemText(Hwnd list, int row, int subItem, const std::string& text) = 0;
    virtual std::string GetItemText(Hwnd list, int row, int subItem) const = 0;
    virtual bool SetItemData(Hwnd list, int row, std::uintptr_t data) = 0;
    virtual std::uintptr_t GetItemData(Hwnd list, int row) const = 0;
    virtual int GetItemCount(Hwnd list) const = 0;
    virtual bool DeleteAllItems(Hwnd list) = 0;
    virtual int GetSelectionMark(Hwnd list) const = 0;
    virtual int SetSelectionMark(Hwnd list, int row) = 0;  // answers the previous mark

    // Progress bars.
    virtual void SetRange(Hwnd bar, int lower, int upper) = 0;
    virtual int SetPos(Hwnd bar, int pos) = 0;  // answers the previous position
    virtual int GetPos(Hwnd bar) const = 0;

    // The event loop. RunModalLoop shows the dialog unless it was already ended and delivers
    // events until EndModalLoop is called for it.
    virtual void RunModalLoop(Hwnd dialog) = 0;
    virtual void EndModalLoop(Hwnd dialog) = 0;
    // Delivers what is waiting now, without waiting for anything.
    virtual void PumpPending() = 0;
    // Runs task from the loop, later, unless window (when not 0) is gone by then.
    virtual void Post(Hwnd window, std::function<void()> task) = 0;
    // A periodic timer of the window; starting it again with the same id restarts it.
    virtual bool StartTimer(Hwnd window, unsigned id, unsigned periodMs) = 0;
    virtual bool StopTimer(Hwnd window, unsigned id) = 0;
    virtual void AddLoopSource(LoopSource* source) = 0;
    virtual void RemoveLoopSource(LoopSource* source) = 0;
    // The browser shown in a browser control; null detaches it.
    virtual void AttachBrowser(Hwnd control, BrowserView* view) = 0;

    // Desktop services. type is a button set and an icon (MB_ values); the answer an ID value.
    virtual int MessageBox(const std::string& text, unsigned type) = 0;
    virtual std::optional<std::string> BrowseForFolder(Hwnd owner, const std::string& title) = 0;
    virtual CRect WorkArea() const = 0;
    virtual CPoint CursorPos() const = 0;
};

// The backend every window goes through, as the composition (or a test) put it in place.
Backend& CurrentBackend();
// Puts backend in place of the current one (null: none). Answers the previous one.
std::shared_ptr<Backend> ReplaceBackend(std::shared_ptr<Backend> backend);

// Keeps a backend in place for its own lifetime.
class ScopedBackend {
  public:
    explicit ScopedBackend(std::shared_ptr<Backend> backend)
        : m_previous(ReplaceBackend(std::move(backend))) {}
    ~ScopedBackend() { ReplaceBackend(std::move(m_previous)); }
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;

  private:
    std::shared_ptr<Backend> m_previous;
};

}  // namespace ui
