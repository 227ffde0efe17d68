#pragma once
// The backend without windows: every window is an in-memory model of its controls, events wait
// in a queue, timers run on a clock, and a scripted user acts on the windows. One thread.
// Rectangles are pixels converted from dialog units with the base units of 8-point MS Sans Serif
// (6 by 13): x * 6 / 4, y * 13 / 8.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/automation.h"
#include "platform/ui/backend.h"
#include "platform/ui/headless/clock.h"
#include "platform/ui/scripted_user.h"

namespace ui {

struct ListRow {
    std::vector<std::string> texts;  // by sub-item
    std::uintptr_t data = 0;
};

// A dialog or one of its controls.
struct WindowModel {
    Hwnd handle = 0;
    Hwnd parent = 0;                         // the dialog of a control; 0 for a dialog
    int id = 0;                              // a control's id, or the template id of a dialog
    ControlKind kind = ControlKind::Static;  // controls only
    unsigned style = 0;
    std::string text;  // a dialog's title
    bool enabled = true;
    bool visible = false;
    CRect rect;  // screen coordinates for a dialog, its client coordinates for a control

    // Dialogs.
    CWnd* wnd = nullptr;
    std::vector<Hwnd> controls;
    Hwnd focus = 0;
    int zOrder = 0;
    bool topmost = false;
    bool modalEnded = false;

    // List views.
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    int selectionMark = -1;

    // Browser controls.
    BrowserView* browser = nullptr;

    // Progress bars.
    int lower = 0;
    int upper = 100;
    int pos = 0;
};

class HeadlessBackend : public Backend, public Automation {
  public:
    explicit HeadlessBackend(Clock& clock);

    Hwnd CreateDialogWindow(const DialogTemplate& dialog, CWnd* wnd, Hwnd owner) override;
    void DestroyWindow(Hwnd window) override;
    bool IsWindow(Hwnd window) const override;
    Hwnd GetControl(Hwnd dialog, int controlId) const override;
    void SetText(Hwnd window, const std::string& text) override;
    std::string GetText(Hwnd window) const override;
    void Enable(Hwnd window, bool enable) override;
    bool IsEnabled(Hwnd window) const override;
    void Show(Hwnd window, bool show) override;
    bool IsVisible(Hwnd window) const override;
    CRect GetRect(Hwnd window) const override;
    void SetRect(Hwnd window, const CRect& rect) override;
    void BringToTop(Hwnd window, bool topmost) override;
    void SetFocus(Hwnd control) override;
    void Redraw(Hwnd) override {}

    int InsertColumn(Hwnd list, int column, const ListColumn& format) override;
    int GetColumnWidth(Hwnd list, int column) const override;
    int InsertItem(Hwnd list, int row, const std::string& text) override;
    bool SetItemText(Hwnd list, int row, int subItem, const std::string& text) override;
    std::string GetItemText(Hwnd list, int row, int subItem) const override;
    bool SetItemData(Hwnd list, int row, std::uintptr_t data) override;
    std::uintptr_t GetItemData(Hwnd list, int row) const override;
    int GetItemCount(Hwnd list) const override;
    bool DeleteAllItems(Hwnd list) override;
    int GetSelectionMark(Hwnd list) const override;
    int SetSelectionMark(Hwnd list, int row) override;

    void SetRange(Hwnd bar, int lower, int upper) override;
    int SetPos(Hwnd bar, int pos) override;
    int GetPos(Hwnd bar) const override;

    void RunModalLoop(Hwnd dialog) override;
    void EndModalLoop(Hwnd dialog) override;
    void PumpPending() override;
    void Post(Hwnd window, std::function<void()> task) override;
    bool StartTimer(Hwnd window, unsigned id, unsigned periodMs) override;
    bool StopTimer(Hwnd window, unsigned id) override;
    void AddLoopSource(LoopSource* source) override;
    void RemoveLoopSource(LoopSource* source) override;
    void AttachBrowser(Hwnd control, BrowserView* view) override;

    int MessageBox(const std::string& text, unsigned type) override;
    std::optional<std::string> BrowseForFolder(Hwnd owner, const std::string& title) override;
    CRect WorkArea() const override { return m_workArea; }
    CPoint CursorPos() const override { return m_cursor; }

    Hwnd NewestDialog(int templateId) const override;
    Hwnd ShownDialog(int templateId) const override;
    BrowserView* BrowserOf(Hwnd control) const override;
    void PressButton(Hwnd dialog, int buttonId) override;
    void Cancel(Hwnd dialog) override;
    void TypeText(Hwnd dialog, int editId, const std::string& text) override;
    void ClickListRow(Hwnd dialog, int listId, int row) override;
    void DragColumnDivider(Hwnd dialog, int listId, int column, int width) override;
    ScriptedUser& User() override { return m_user; }
    void SetMessageBoxObserver(std::function<void(const MessageBoxRecord&)> observer) override;
    void RunWhile(const std::function<bool()>& keepGoing) override;
    // Headless windows have no pixels.
    void SavePicture(Hwnd) override {}

    // The newest window made from that template, or null.
    const WindowModel* FindDialog(int templateId) const;
    const WindowModel* FindControl(int templateId, int controlId) const;
    const WindowModel* Find(Hwnd window) const;

    Clock& GetClock() { return m_clock; }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_boxes; }
    // Titles of the folder choosers shown.
    const std::vector<std::string>& FolderChoosers() const { return m_folderChoosers; }
    void SetWorkArea(const CRect& area) { m_workArea = area; }
    void SetCursorPos(const CPoint& pos) { m_cursor = pos; }
    // A fault: windows can start no timer while refused.
    void RefuseTimers(bool refuse) { m_refuseTimers = refuse; }

  private:
    struct Timer {
        Hwnd window;
        unsigned id;
        unsigned periodMs;
        std::int64_t dueMs;
        std::uint64_t order;
        bool queued;
    };
    struct Event {
        Hwnd window;
        std::function<void()> run;
    };

    WindowModel* Model(Hwnd window);
    WindowModel* ControlOf(Hwnd dialog, int controlId);
    WindowModel* ListOf(Hwnd list);
    WindowModel* BarOf(Hwnd bar);
    // Tells the dialog's object; answers the result when it handled the notification.
    std::optional<int> Notify(Hwnd dialog, int controlId, Notification code);
    void MoveFocus(Hwnd dialog, Hwnd control);

    // One turn of the loop: answers whether anything happened or time passed.
    bool Turn(bool mayWait);
    void QueueDueTimers();
    void DeliverNext();
    void DeliverTimer(Hwnd window, unsigned id);
    std::optional<std::int64_t> NextTimerDue() const;
    int NextSourceWake();
    // Polls the sources when one is busy; answers whether one was.
    bool PollSources(bool mayWait);
    // The user has nothing left to do for a modal dialog: he presses Escape, once.
    void GiveUp(Hwnd dialog, int& giveUps);

    Clock& m_clock;
    ScriptedUser m_user;
    std::map<Hwnd, WindowModel> m_windows;
    Hwnd m_nextHandle = 1;
    int m_nextZOrder = 1;
    std::vector<Timer> m_timers;
    std::uint64_t m_nextTimerOrder = 0;
    bool m_refuseTimers = false;
    std::deque<Event> m_events;
    std::vector<LoopSource*> m_sources;
    std::vector<MessageBoxRecord> m_boxes;
    std::function<void(const MessageBoxRecord&)> m_boxObserver;
    std::vector<std::string> m_folderChoosers;
    CRect m_workArea{0, 0, 1920, 1040};
    CPoint m_cursor{960, 540};
};

}  // namespace ui
