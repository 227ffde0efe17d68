#include "adapters/wx/wx_backend.h"

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "adapters/wx/template_dialog.h"
#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "platform/ui/wnd.h"

namespace adapters {
namespace {

// How often the scripted user looks at the windows and the loop's other sources are polled.
constexpr int kPulseMs = 50;

class PrixelApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

WxBackend*& RunningBackend() {
    static WxBackend* running = nullptr;
    return running;
}

wxString Wx(const std::string& cp1252) {
    return wxString::FromUTF8(text::ToUtf8(cp1252));
}

std::string Cp1252(const wxString& text) {
    return text::FromUtf8(std::string(text.ToUTF8()));
}

bool StartWx() {
    static bool started = false;
    if (started) return true;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return false;
    wxApp::SetInstance(new PrixelApp);
    static int argc = 1;
    static char name[] = "prixel";
    static char* argv[] = {name, nullptr};
    if (!wxEntryStart(argc, argv)) return false;
    wxTheApp->CallOnInit();
    wxTheApp->SetAppDisplayName("Vako Prixel");
    started = true;
    return true;
}

long BoxStyle(unsigned type) {
    long style = wxCENTRE;
    switch (type & MB_TYPEMASK) {
        case MB_YESNO:
            style |= wxYES_NO;
            break;
        case MB_OKCANCEL:
            style |= wxOK | wxCANCEL;
            break;
        default:
            style |= wxOK;
    }
    // As the framework does, a box without an icon of its own gets the question mark when it asks
    // and the exclamation mark otherwise.
    unsigned icon = type & 0xF0;
    if (icon == 0) icon = (type & MB_TYPEMASK) == MB_YESNO ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
    if (icon == MB_ICONQUESTION) return style | wxICON_QUESTION;
    if (icon == MB_ICONINFORMATION) return style | wxICON_INFORMATION;
    return style | wxICON_EXCLAMATION;
}

int FromWxAnswer(int answer) {
    switch (answer) {
        case wxID_YES:
            return IDYES;
        case wxID_NO:
            return IDNO;
        case wxID_CANCEL:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

int ToWxAnswer(int answer) {
    switch (answer) {
        case IDYES:
            return wxID_YES;
        case IDNO:
            return wxID_NO;
        case IDCANCEL:
            return wxID_CANCEL;
        default:
            return wxID_OK;
    }
}

wxPoint CentreOfScreen(const wxWindow* window) {
    const wxRect area = wxDisplay(0u).GetClientArea();
    const wxSize size = window->GetSize();
    return {area.x + (area.width - size.x) / 2, area.y + (area.height - size.y) / 2};
}

// Without a window manager a window's place before it is shown is not kept: it is moved again
// once shown.
void MoveOnceShown(wxWindow* window, wxPoint place) {
    window->Bind(wxEVT_SHOW, [window, place](wxShowEvent& event) {
        event.Skip();
        if (event.IsShown()) window->CallAfter([window, place] { window->Move(place); });
    });
}

}  // namespace

class WxBackend::WindowTimer : public wxTimer {
  public:
    WindowTimer(WxBackend& backend, ui::Hwnd window, unsigned id)
        : m_backend(backend), m_window(window), m_id(id) {}
    void Notify() override { m_backend.DeliverTimer(m_window, m_id); }

  private:
    WxBackend& m_backend;
    ui::Hwnd m_window;
    unsigned m_id;
};

std::shared_ptr<WxBackend> WxBackend::Start() {
    if (!StartWx()) return nullptr;
    std::shared_ptr<WxBackend> backend(new WxBackend);
    RunningBackend() = backend.get();
    return backend;
}

WxBackend* WxBackend::Running() {
    return RunningBackend();
}

WxBackend::WxBackend() : m_pulse(std::make_unique<wxTimer>()) {
    m_pulse->Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Pulse(); });
    m_pulse->Start(kPulseMs);
}

WxBackend::~WxBackend() {
    m_pulse->Stop();
    for (auto& [handle, entry] : m_windows)
        if (entry.dialog == 0) entry.window->Destroy();
    if (RunningBackend() == this) RunningBackend() = nullptr;
}

ui::Hwnd WxBackend::CreateDialogWindow(const ui::DialogTemplate& dialog, CWnd* wnd, ui::Hwnd) {
    const ui::Hwnd handle = m_nextHandle++;
    auto* window =
        new TemplateDialog(dialog, [this, handle](int id, ui::Notification code, int* result) {
            Notify(handle, id, code, result);
        });
    Entry& entry = m_windows[handle];
    entry.window = window;
    entry.id = dialog.id;
    entry.wnd = wnd;
    for (const auto& [id, control] : window->Controls()) {
        Entry& item = m_windows[m_nextHandle++];
        item.window = control;
        item.dialog = handle;
        item.id = id;
    }
    window->Bind(wxEVT_SHOW, [this, handle](wxShowEvent& event) {
        event.Skip();
        if (event.IsShown()) OnShown(handle);
    });
    return handle;
}

void WxBackend::DestroyWindow(ui::Hwnd window) {
    Entry* entry = Find(window);
    if (!entry || entry->dialog != 0) return;
    wxWindow* dialog = entry->window;
    std::erase_if(m_windows, [window](const auto& item) { return item.second.dialog == window; });
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->first.first == window) {
            it->second->Stop();
            m_stopped.push_back(std::move(it->second));
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
    m_windows.erase(window);
    dialog->Destroy();
}

bool WxBackend::IsWindow(ui::Hwnd window) const {
    return m_windows.contains(window);
}

ui::Hwnd WxBackend::GetControl(ui::Hwnd dialog, int controlId) const {
    for (const auto& [handle, entry] : m_windows)
        if (entry.dialog == dialog && dialog != 0 && entry.id == controlId) return handle;
    return 0;
}

void WxBackend::SetText(ui::Hwnd window, const std::string& text) {
    Entry* entry = Find(window);
    if (!entry) return;
    if (entry->dialog == 0)
        entry->window->SetLabel(Wx(text));
    else
        DialogOf(entry->dialog)->SetControlText(entry->window, Wx(text));
}

std::string WxBackend::GetText(ui::Hwnd window) const {
    const Entry* entry = Find(window);
    if (!entry) return {};
    if (auto* edit = dynamic_cast<wxTextCtrl*>(entry->window)) return Cp1252(edit->GetValue());
    return Cp1252(entry->window->GetLabel());
}

void WxBackend::Enable(ui::Hwnd window, bool enable) {
    if (Entry* entry = Find(window)) entry->window->Enable(enable);
}

bool WxBackend::IsEnabled(ui::Hwnd window) const {
    const Entry* entry = Find(window);
    return entry && entry->window->IsThisEnabled();
}

void WxBackend::Show(ui::Hwnd window, bool show) {
    if (Entry* entry = Find(window); entry && !entry->unseen) entry->window->Show(show);
}

bool WxBackend::IsVisible(ui::Hwnd window) const {
    const Entry* entry = Find(window);
    if (!entry || !entry->window->IsShown()) return false;
    return entry->dialog == 0 || IsVisible(entry->dialog);
}

CRect WxBackend::GetRect(ui::Hwnd window) const {
    const Entry* entry = Find(window);
    if (!entry) return {};
    if (entry->unseen) return {entry->place->x, entry->place->y, entry->place->x, entry->place->y};
    const wxRect rect = entry->window->GetScreenRect();
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

// A dialog of no size cannot be drawn that small: it is kept off the screen instead (Unseen).
void WxBackend::SetRect(ui::Hwnd window, const CRect& rect) {
    Entry* entry = Find(window);
    if (!entry) return;
    const wxRect place(rect.left, rect.top, std::max(1, rect.Width()), std::max(1, rect.Height()));
    if (entry->dialog != 0) {
        entry->window->SetSize(place);
        return;
    }
    entry->place = CPoint{place.x, place.y};
    entry->unseen = rect.Width() <= 0 || rect.Height() <= 0;
    if (entry->unseen)
        entry->window->Hide();
    else
        entry->window->SetSize(place);
}

void WxBackend::BringToTop(ui::Hwnd window, bool topmost) {
    Entry* entry = Find(window);
    if (!entry) return;
    if (topmost)
        entry->window->SetWindowStyleFlag(entry->window->GetWindowStyleFlag() | wxSTAY_ON_TOP);
    entry->window->Raise();
}

void WxBackend::SetFocus(ui::Hwnd control) {
    if (Entry* entry = Find(control)) entry->window->SetFocus();
}

void WxBackend::Redraw(ui::Hwnd window) {
    if (Entry* entry = Find(window)) {
        entry->window->Refresh();
        entry->window->Update();
    }
}

namespace {

wxListCtrl* AsList(wxWindow* window) {
    return dynamic_cast<wxListCtrl*>(window);
}

wxListColumnFormat ColumnFormat(ui::ColumnAlign align) {
    switch (align) {
        case ui::ColumnAlign::Right:
            return wxLIST_FORMAT_RIGHT;
        case ui::ColumnAlign::Centre:
            return wxLIST_FORMAT_CENTRE;
        default:
            return wxLIST_FORMAT_LEFT;
    }
}

}  // namespace

int WxBackend::InsertColumn(ui::Hwnd list, int column, const ui::ListColumn& format) {
    Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view || column < 0) return -1;
    return view->InsertColumn(column, Wx(format.heading), ColumnFormat(format.align), format.width);
}

int WxBackend::GetColumnWidth(ui::Hwnd list, int column) const {
    const Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view || column < 0 || column >= view->GetColumnCount()) return 0;
    return view->GetColumnWidth(column);
}

int WxBackend::InsertItem(ui::Hwnd list, int row, const std::string& text) {
    Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view || row < 0) return -1;
    return view->InsertItem(std::min(row, view->GetItemCount()), Wx(text));
}

bool WxBackend::SetItemText(ui::Hwnd list, int row, int subItem, const std::string& text) {
    Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view || row < 0 || row >= view->GetItemCount()) return false;
    if (subItem < 0 || subItem >= std::max(1, view->GetColumnCount())) return false;
    return view->SetItem(row, subItem, Wx(text));
}

std::string WxBackend::GetItemText(ui::Hwnd list, int row, int subItem) const {
    const Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view || row < 0 || row >= view->GetItemCount() || subItem < 0) return {};
    return Cp1252(view->GetItemText(row, subItem));
}

bool WxBackend::SetItemData(ui::Hwnd list, int row, std::uintptr_t data) {
    Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view || row < 0 || row >= view->GetItemCount()) return false;
    return view->SetItemPtrData(row, data);
}

std::uintptr_t WxBackend::GetItemData(ui::Hwnd list, int row) const {
    const Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view || row < 0 || row >= view->GetItemCount()) return 0;
    return view->GetItemData(row);
}

int WxBackend::GetItemCount(ui::Hwnd list) const {
    const Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    return view ? view->GetItemCount() : 0;
}

bool WxBackend::DeleteAllItems(ui::Hwnd list) {
    Entry* entry = Find(list);
    wxListCtrl* view = entry ? AsList(entry->window) : nullptr;
    if (!view) return false;
    entry->mark = -1;
    return view->DeleteAllItems();
}

int WxBackend::GetSelectionMark(ui::Hwnd list) const {
    const Entry* entry = Find(list);
    return entry ? entry->mark : -1;
}

int WxBackend::SetSelectionMark(ui::Hwnd list, int row) {
    Entry* entry = Find(list);
    return entry ? std::exchange(entry->mark, row) : -1;
}

void WxBackend::SetRange(ui::Hwnd bar, int lower, int upper) {
    Entry* entry = Find(bar);
    auto* gauge = entry ? dynamic_cast<wxGauge*>(entry->window) : nullptr;
    if (!gauge) return;
    const int pos = std::clamp(entry->lower + gauge->GetValue(), lower, std::max(lower, upper));
    entry->lower = lower;
    gauge->SetRange(std::max(1, upper - lower));
    gauge->SetValue(pos - lower);
}

int WxBackend::SetPos(ui::Hwnd bar, int pos) {
    Entry* entry = Find(bar);
    auto* gauge = entry ? dynamic_cast<wxGauge*>(entry->window) : nullptr;
    if (!gauge) return 0;
    const int previous = entry->lower + gauge->GetValue();
    gauge->SetValue(std::clamp(pos - entry->lower, 0, gauge->GetRange()));
    return previous;
}

int WxBackend::GetPos(ui::Hwnd bar) const {
    const Entry* entry = Find(bar);
    auto* gauge = entry ? dynamic_cast<wxGauge*>(entry->window) : nullptr;
    return gauge ? entry->lower + gauge->GetValue() : 0;
}

void WxBackend::RunModalLoop(ui::Hwnd dialog) {
    Entry* entry = Find(dialog);
    if (!entry || entry->modalEnded) return;
    if (entry->unseen) {
        RunUnseen(*entry);
        return;
    }
    if (!entry->place) {
        const wxPoint centre = CentreOfScreen(entry->window);
        entry->place = CPoint{centre.x, centre.y};
    }
    entry->window->Move(entry->place->x, entry->place->y);
    DialogOf(dialog)->ShowModal();
}

void WxBackend::EndModalLoop(ui::Hwnd dialog) {
    Entry* entry = Find(dialog);
    if (!entry) return;
    entry->modalEnded = true;
    if (entry->unseenLoop)
        entry->unseenLoop->Exit();
    else if (DialogOf(dialog)->IsModal())
        DialogOf(dialog)->EndModal(0);
}

// The modal life of a dialog kept off the screen: the other windows wait as they would for a
// modal dialog, while its own loop runs until the dialog ends.
void WxBackend::RunUnseen(Entry& entry) {
    wxWindowDisabler others;
    wxGUIEventLoop loop;
    entry.unseenLoop = &loop;
    loop.Run();
    entry.unseenLoop = nullptr;
}

void WxBackend::PumpPending() {
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->Yield(true);
        return;
    }
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    loop.Yield(true);
}

void WxBackend::Post(ui::Hwnd window, std::function<void()> task) {
    wxTheApp->CallAfter([this, window, task = std::move(task)] {
        if (window == 0 || IsWindow(window)) task();
    });
}

bool WxBackend::StartTimer(ui::Hwnd window, unsigned id, unsigned periodMs) {
    if (!IsWindow(window)) return false;
    StopTimer(window, id);
    auto timer = std::make_unique<WindowTimer>(*this, window, id);
    timer->Start(static_cast<int>(std::clamp<unsigned>(periodMs, 1, INT_MAX)));
    m_timers[{window, id}] = std::move(timer);
    return true;
}

// A timer stopped from its own notification is kept until the next pulse.
bool WxBackend::StopTimer(ui::Hwnd window, unsigned id) {
    auto found = m_timers.find({window, id});
    if (found == m_timers.end()) return false;
    found->second->Stop();
    m_stopped.push_back(std::move(found->second));
    m_timers.erase(found);
    return true;
}

void WxBackend::DeliverTimer(ui::Hwnd window, unsigned id) {
    if (Entry* entry = Find(window); entry && entry->wnd) entry->wnd->OnTimer(id);
}

void WxBackend::AddLoopSource(ui::LoopSource* source) {
    RemoveLoopSource(source);
    m_sources.push_back(source);
}

void WxBackend::RemoveLoopSource(ui::LoopSource* source) {
    std::erase(m_sources, source);
}

void WxBackend::AttachBrowser(ui::Hwnd control, ui::BrowserView* view) {
    if (Entry* entry = Find(control)) entry->browser = view;
}

int WxBackend::MessageBox(const std::string& text, unsigned type) {
    wxGenericMessageDialog box(nullptr, Wx(text), wxTheApp->GetAppDisplayName(), BoxStyle(type));
    MoveOnceShown(&box, CentreOfScreen(&box));
    const int answer = m_scripted ? AnswerBox(box, m_user.AnswerMessageBox(text, type))
                                  : FromWxAnswer(box.ShowModal());
    if (m_boxObserver) m_boxObserver({text, type, answer});
    return answer;
}

// The scripted user reads the box once it is drawn, then answers it.
int WxBackend::AnswerBox(wxDialog& box, int answer) {
    box.Bind(wxEVT_SHOW, [this, &box, answer](wxShowEvent& event) {
        event.Skip();
        if (!event.IsShown()) return;
        const auto close = [&box, answer] { box.EndModal(ToWxAnswer(answer)); };
        if (m_pictureFolder.empty())
            box.CallAfter(close);
        else
            PictureWhenDrawn(&box, "box", close);
    });
    box.ShowModal();
    return answer;
}

std::optional<std::string> WxBackend::BrowseForFolder(ui::Hwnd owner, const std::string& title) {
    if (m_scripted) return m_user.AnswerFolderChooser();
    wxDirDialog chooser(WindowOf(owner), Wx(title), "", wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    return Cp1252(chooser.GetPath());
}

CRect WxBackend::WorkArea() const {
    const wxRect area = wxDisplay(0u).GetClientArea();
    return {area.x, area.y, area.x + area.width, area.y + area.height};
}

CPoint WxBackend::CursorPos() const {
    const wxPoint pos = wxGetMousePosition();
    return {pos.x, pos.y};
}

ui::Hwnd WxBackend::NewestDialog(int templateId) const {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (it->second.dialog == 0 && it->second.id == templateId) return it->first;
    return 0;
}

ui::Hwnd WxBackend::ShownDialog(int templateId) const {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        const Entry& entry = it->second;
        if (entry.dialog == 0 && entry.id == templateId && entry.window->IsShown() &&
            !entry.modalEnded)
            return it->first;
    }
    return 0;
}

ui::BrowserView* WxBackend::BrowserOf(ui::Hwnd control) const {
    const Entry* entry = Find(control);
    return entry ? entry->browser : nullptr;
}

// A press is a click event posted to the button, as the person's click would be.
void WxBackend::PressButton(ui::Hwnd dialog, int buttonId) {
    auto* button = dynamic_cast<wxButton*>(ControlOf(dialog, buttonId));
    if (!button || !button->IsEnabled()) return;
    button->SetFocus();
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    wxPostEvent(button, click);
}

// Escape or the close box: the window's close event, which takes the cancel path.
void WxBackend::Cancel(ui::Hwnd dialog) {
    TemplateDialog* window = DialogOf(dialog);
    if (!window) return;
    wxCloseEvent close(wxEVT_CLOSE_WINDOW, window->GetId());
    close.SetEventObject(window);
    close.SetCanVeto(true);
    wxPostEvent(window, close);
}

void WxBackend::TypeText(ui::Hwnd dialog, int editId, const std::string& text) {
    auto* edit = dynamic_cast<wxTextCtrl*>(ControlOf(dialog, editId));
    if (!edit || !edit->IsEnabled()) return;
    edit->SetFocus();
    if (!edit->IsEmpty()) edit->SetValue("");
    for (char c : text) {
        if (!IsWindow(dialog)) return;
        edit->SetValue(edit->GetValue() + Wx(std::string(1, c)));
    }
}

void WxBackend::ClickListRow(ui::Hwnd dialog, int listId, int row) {
    TemplateDialog* window = DialogOf(dialog);
    auto* list = window ? AsList(window->Control(listId)) : nullptr;
    if (!list || !list->IsEnabled()) return;
    if (row >= 0 && row < list->GetItemCount()) {
        window->SelectQuietly(listId, row);
        Find(GetControl(dialog, listId))->mark = row;
    }
    Post(dialog, [this, dialog, listId] {
        int result = 0;
        Notify(dialog, listId, ui::Notification::ListClick, &result);
    });
}

void WxBackend::DragColumnDivider(ui::Hwnd dialog, int listId, int column, int width) {
    auto* list = AsList(ControlOf(dialog, listId));
    if (!list) return;
    int refused = 0;
    Notify(dialog, listId, ui::Notification::HeaderBeginTrack, &refused);
    if (refused == 0 && column >= 0 && column < list->GetColumnCount())
        list->SetColumnWidth(column, width);
}

void WxBackend::SetMessageBoxObserver(std::function<void(const ui::MessageBoxRecord&)> observer) {
    m_boxObserver = std::move(observer);
}

void WxBackend::RunWhile(const std::function<bool()>& keepGoing) {
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    while (keepGoing()) loop.DispatchTimeout(kPulseMs);
}

void WxBackend::SavePictures(const std::string& folder) {
    std::filesystem::create_directories(folder);
    m_pictureFolder = folder;
}

void WxBackend::SavePicture(ui::Hwnd dialog) {
    const Entry* entry = Find(dialog);
    if (m_pictureFolder.empty() || !entry || !entry->window->IsShown()) return;
    if (entry->window->GetSize().x <= 1) return;
    PictureWhenDrawn(entry->window, std::to_string(entry->id));
}

wxWindow* WxBackend::WindowOf(ui::Hwnd window) const {
    const Entry* entry = Find(window);
    return entry ? entry->window : nullptr;
}

WxBackend::Entry* WxBackend::Find(ui::Hwnd window) {
    auto found = m_windows.find(window);
    return found == m_windows.end() ? nullptr : &found->second;
}

const WxBackend::Entry* WxBackend::Find(ui::Hwnd window) const {
    auto found = m_windows.find(window);
    return found == m_windows.end() ? nullptr : &found->second;
}

TemplateDialog* WxBackend::DialogOf(ui::Hwnd window) const {
    const Entry* entry = Find(window);
    return entry && entry->dialog == 0 ? static_cast<TemplateDialog*>(entry->window) : nullptr;
}

wxWindow* WxBackend::ControlOf(ui::Hwnd dialog, int controlId) const {
    TemplateDialog* window = DialogOf(dialog);
    return window ? window->Control(controlId) : nullptr;
}

void WxBackend::Notify(ui::Hwnd dialog, int controlId, ui::Notification code, int* result) {
    Entry* entry = Find(dialog);
    if (!entry || !entry->wnd) return;
    if (code == ui::Notification::ListClick) {
        Entry* list = Find(GetControl(dialog, controlId));
        auto* view = list ? AsList(list->window) : nullptr;
        const long selected =
            view ? view->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) : -1;
        if (selected >= 0) list->mark = static_cast<int>(selected);
    }
    entry->wnd->OnNotify(controlId, code, result);
}

// A dialog goes where it was placed; a window without a browser has its picture taken once drawn.
void WxBackend::OnShown(ui::Hwnd dialog) {
    Entry* entry = Find(dialog);
    if (!entry) return;
    if (entry->place) {
        wxWindow* window = entry->window;
        const wxPoint place(entry->place->x, entry->place->y);
        window->CallAfter([window, place] { window->Move(place); });
    }
    TemplateDialog* window = DialogOf(dialog);
    const auto& controls = window->Controls();
    const bool holdsBrowser = std::any_of(
        controls.begin(), controls.end(),
        [window](const auto& c) { return window->KindOf(c.second) == ui::ControlKind::Browser; });
    if (m_pictureFolder.empty() || holdsBrowser || m_pictured.contains(dialog)) return;
    m_pictured.insert(dialog);
    PictureWhenDrawn(entry->window, std::to_string(entry->id));
}

// A picture waits for the window to be drawn once more after it was asked for (a window drawn
// for the first time, or one whose content has changed): the window's paint starts that drawing,
// and the picture is taken from the loop once the drawing has reached the screen. A window gone
// before it was drawn has no picture.
void WxBackend::PictureWhenDrawn(wxWindow* window, std::string name, std::function<void()> then) {
    ++m_picturesPending;
    LayOut(window);
    auto request = std::make_shared<PictureRequest>(
        PictureRequest{window, std::move(name), std::move(then), false, false});
    window->Bind(wxEVT_PAINT, [this, request](wxPaintEvent& event) {
        event.Skip();
        if (request->painted) return;
        request->painted = true;
        wxTheApp->CallAfter([this, request] { FinishPicture(*request); });
    });
    window->Bind(wxEVT_DESTROY, [this, request](wxWindowDestroyEvent& event) {
        event.Skip();
        request->window = nullptr;
        FinishPicture(*request);
    });
    window->Refresh();
}

// What the loop does for a window once idle (a list view places its rows then), done now so that
// the next drawing shows every control as it stands.
void WxBackend::LayOut(wxWindow* window) {
    window->OnInternalIdle();
    for (wxWindow* child : window->GetChildren()) LayOut(child);
}

void WxBackend::FinishPicture(PictureRequest& request) {
    if (request.done || Running() != this) return;
    request.done = true;
    --m_picturesPending;
    if (!request.window) return;
    TakePicture(request.window, request.name);
    if (request.then) request.then();
}

// The window's own pixels, wherever it stands on the screen.
void WxBackend::TakePicture(wxWindow* window, const std::string& name) {
    window->Update();
    GdkWindow* drawn = gtk_widget_get_window(window->GetHandle());
    if (drawn == nullptr) return;
    GdkPixbuf* picture = gdk_pixbuf_get_from_window(drawn, 0, 0, gdk_window_get_width(drawn),
                                                    gdk_window_get_height(drawn));
    if (picture == nullptr) return;
    const std::string file =
        text::Format("%s/%02d-%s.png", m_pictureFolder.c_str(), ++m_pictureCount, name.c_str());
    gdk_pixbuf_save(picture, file.c_str(), "png", nullptr, nullptr);
    g_object_unref(picture);
}

// The scripted user acts when no page is on its way and no picture waits to be taken.
void WxBackend::Pulse() {
    m_stopped.clear();
    for (ui::LoopSource* source : std::vector<ui::LoopSource*>(m_sources))
        if (std::find(m_sources.begin(), m_sources.end(), source) != m_sources.end())
            source->Poll(0);
    if (m_scripted && m_picturesPending == 0 && !BrowserLoading()) m_user.TryAct(*this);
}

bool WxBackend::BrowserLoading() const {
    return std::any_of(m_windows.begin(), m_windows.end(), [](const auto& item) {
        return item.second.browser != nullptr && item.second.browser->IsLoading();
    });
}

}  // namespace adapters
