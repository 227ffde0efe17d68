#pragma once
// The desktop backend: every dialog is a real window drawn from its template (TemplateDialog), on
// the wx event loop of the user-interface thread. Modal dialogs run wx's modal loop, timers are wx
// timers of their window, posted work runs from the loop, message boxes are real boxes with the
// framework's icons, the folder chooser is the desktop's. A scripted user, when one is set, acts
// on the windows through the same events as the person's hand and answers the boxes; with a
// picture folder, each window is saved as a PNG once drawn.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/automation.h"
#include "platform/ui/backend.h"
#include "platform/ui/scripted_user.h"

class wxWindow;
class wxTimer;
class wxDialog;
class wxEventLoopBase;

namespace adapters {

class TemplateDialog;

class WxBackend : public ui::Backend, public ui::Automation {
  public:
    // Starts wx on the display named by DISPLAY; null when there is none to open.
    static std::shared_ptr<WxBackend> Start();
    // The started backend, or null.
    static WxBackend* Running();
    ~WxBackend() override;

    ui::Hwnd CreateDialogWindow(const ui::DialogTemplate& dialog, CWnd* wnd,
                                ui::Hwnd owner) override;
    void DestroyWindow(ui::Hwnd window) override;
    bool IsWindow(ui::Hwnd window) const override;
    ui::Hwnd GetControl(ui::Hwnd dialog, int controlId) const override;
    void SetText(ui::Hwnd window, const std::string& text) override;
    std::string GetText(ui::Hwnd window) const override;
    void Enable(ui::Hwnd window, bool enable) override;
    bool IsEnabled(ui::Hwnd window) const override;
    void Show(ui::Hwnd window, bool show) override;
    bool IsVisible(ui::Hwnd window) const override;
    CRect GetRect(ui::Hwnd window) const override;
    void SetRect(ui::Hwnd window, const CRect& rect) override;
    void BringToTop(ui::Hwnd window, bool topmost) override;
    void SetFocus(ui::Hwnd control) override;
    void Redraw(ui::Hwnd window) override;

    int InsertColumn(ui::Hwnd list, int column, const ui::ListColumn& format) override;
    int GetColumnWidth(ui::Hwnd list, int column) const override;
    int InsertItem(ui::Hwnd list, int row, const std::string& text) override;
    bool SetItemText(ui::Hwnd list, int row, int subItem, const std::string& text) override;
    std::string GetItemText(ui::Hwnd list, int row, int subItem) const override;
    bool SetItemData(ui::Hwnd list, int row, std::uintptr_t data) override;
    std::uintptr_t GetItemData(ui::Hwnd list, int row) const override;
    int GetItemCount(ui::Hwnd list) const override;
    bool DeleteAllItems(ui::Hwnd list) override;
    int GetSelectionMark(ui::Hwnd list) const override;
    int SetSelectionMark(ui::Hwnd list, int row) override;

    void SetRange(ui::Hwnd bar, int lower, int upper) override;
    int SetPos(ui::Hwnd bar, int pos) override;
    int GetPos(ui::Hwnd bar) const override;

    void RunModalLoop(ui::Hwnd dialog) override;
    void EndModalLoop(ui::Hwnd dialog) override;
    void PumpPending() override;
    void Post(ui::Hwnd window, std::function<void()> task) override;
    bool StartTimer(ui::Hwnd window, unsigned id, unsigned periodMs) override;
    bool StopTimer(ui::Hwnd window, unsigned id) override;
    void AddLoopSource(ui::LoopSource* source) override;
    void RemoveLoopSource(ui::LoopSource* source) override;
    void AttachBrowser(ui::Hwnd control, ui::BrowserView* view) override;

    int MessageBox(const std::string& text, unsigned type) override;
    std::optional<std::string> BrowseForFolder(ui::Hwnd owner, const std::string& title) override;
    CRect WorkArea() const override;
    CPoint CursorPos() const override;

    ui::Hwnd NewestDialog(int templateId) const override;
    ui::Hwnd ShownDialog(int templateId) const override;
    ui::BrowserView* BrowserOf(ui::Hwnd control) const override;
    void PressButton(ui::Hwnd dialog, int buttonId) override;
    void Cancel(ui::Hwnd dialog) override;
    void TypeText(ui::Hwnd dialog, int editId, const std::string& text) override;
    void ClickListRow(ui::Hwnd dialog, int listId, int row) override;
    void DragColumnDivider(ui::Hwnd dialog, int listId, int column, int width) override;
    ui::ScriptedUser& User() override { return m_user; }
    void SetMessageBoxObserver(std::function<void(const ui::MessageBoxRecord&)> observer) override;
    void RunWhile(const std::function<bool()>& keepGoing) override;
    // Windows holding a browser are pictured when their browser has loaded a page.
    void SavePicture(ui::Hwnd dialog) override;

    // The scripted user acts and answers the boxes and the folder chooser; otherwise the person
    // does.
    void SetScripted(bool scripted) { m_scripted = scripted; }
    // Saves a PNG of each window once it is drawn into folder, named by order and template id;
    // windows holding a browser are saved when their browser asks (SavePicture).
    void SavePictures(const std::string& folder);
    // The wx window of a handle, for the browser shown in a browser control.
    wxWindow* WindowOf(ui::Hwnd window) const;

  private:
    struct Entry {
        wxWindow* window = nullptr;
        ui::Hwnd dialog = 0;  // the dialog of a control; 0 for a dialog
        int id = 0;           // template id of a dialog, control id of a control
        CWnd* wnd = nullptr;
        bool modalEnded = false;
        std::optional<CPoint> place;            // where a dialog goes once shown
        bool unseen = false;                    // a dialog of no size, kept off the screen
        wxEventLoopBase* unseenLoop = nullptr;  // its modal loop, while it runs
        ui::BrowserView* browser = nullptr;
        int mark = -1;  // a list's selection mark
        int lower = 0;  // a progress bar's lower bound
    };
    class WindowTimer;

    WxBackend();
    Entry* Find(ui::Hwnd window);
    const Entry* Find(ui::Hwnd window) const;
    TemplateDialog* DialogOf(ui::Hwnd window) const;
    wxWindow* ControlOf(ui::Hwnd dialog, int controlId) const;
    void Notify(ui::Hwnd dialog, int controlId, ui::Notification code, int* result);
    void DeliverTimer(ui::Hwnd window, unsigned id);
    void OnShown(ui::Hwnd dialog);
    void RunUnseen(Entry& entry);
    void TakePicture(wxWindow* window, const std::string& name);
    struct PictureRequest {
        wxWindow* window;  // null once the window is gone
        std::string name;
        std::function<void()> then;
        bool painted;
        bool done;
    };
    void PictureWhenDrawn(wxWindow* window, std::string name, std::function<void()> then = {});
    void FinishPicture(PictureRequest& request);
    static void LayOut(wxWindow* window);
    void Pulse();
    bool BrowserLoading() const;
    int AnswerBox(wxDialog& box, int answer);

    std::map<ui::Hwnd, Entry> m_windows;
    ui::Hwnd m_nextHandle = 1;
    std::map<std::pair<ui::Hwnd, unsigned>, std::unique_ptr<WindowTimer>> m_timers;
    std::vector<std::unique_ptr<WindowTimer>> m_stopped;
    std::vector<ui::LoopSource*> m_sources;
    std::unique_ptr<wxTimer> m_pulse;
    ui::ScriptedUser m_user;
    bool m_scripted = false;
    std::function<void(const ui::MessageBoxRecord&)> m_boxObserver;
    std::string m_pictureFolder;
    int m_pictureCount = 0;
    int m_picturesPending = 0;
    std::set<ui::Hwnd> m_pictured;
};

}  // namespace adapters
