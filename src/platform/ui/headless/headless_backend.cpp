#include "platform/ui/headless/headless_backend.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "platform/ui/wnd.h"

namespace ui {
namespace {

// The framework's MulDiv for the non-negative values of templates: rounds to the nearest.
int MulDiv(int value, int numerator, int denominator) {
    return (value * numerator + denominator / 2) / denominator;
}

CRect PixelsOf(int x, int y, int cx, int cy) {
    int left = MulDiv(x, 6, 4);
    int top = MulDiv(y, 13, 8);
    return {left, top, left + MulDiv(cx, 6, 4), top + MulDiv(cy, 13, 8)};
}

// A periodic timer fires again no sooner than this, whatever its period; its first firing comes at
// its period, at the loop's next turn for a period of 0.
constexpr unsigned kShortestPeriodMs = 10;

bool IsButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefPushButton;
}

}  // namespace

HeadlessBackend::HeadlessBackend(Clock& clock) : m_clock(clock) {}

Hwnd HeadlessBackend::CreateDialogWindow(const DialogTemplate& dialog, CWnd* wnd, Hwnd) {
    Hwnd handle = m_nextHandle++;
    WindowModel& model = m_windows[handle];
    model.handle = handle;
    model.id = dialog.id;
    model.style = dialog.style;
    model.text = dialog.title;
    model.enabled = !(dialog.style & kStyleDisabled);
    model.rect = PixelsOf(0, 0, dialog.cx, dialog.cy);
    model.wnd = wnd;
    for (const ControlTemplate& control : dialog.controls) {
        Hwnd child = m_nextHandle++;
        WindowModel& item = m_windows[child];
        item.handle = child;
        item.parent = handle;
        item.id = control.id;
        item.kind = control.kind;
        item.style = control.style;
        item.text = control.text;
        item.enabled = !(control.style & kStyleDisabled);
        item.visible = true;
        item.rect = PixelsOf(control.x, control.y, control.cx, control.cy);
        model.controls.push_back(child);
    }
    return handle;
}

void HeadlessBackend::DestroyWindow(Hwnd window) {
    WindowModel* model = Model(window);
    if (!model) return;
    if (WindowModel* parent = Model(model->parent)) std::erase(parent->controls, window);
    for (Hwnd control : model->controls) m_windows.erase(control);
    std::erase_if(m_timers, [window](const Timer& t) { return t.window == window; });
    m_windows.erase(window);
}

bool HeadlessBackend::IsWindow(Hwnd window) const {
    return m_windows.contains(window);
}

Hwnd HeadlessBackend::GetControl(Hwnd dialog, int controlId) const {
    const WindowModel* model = Find(dialog);
    if (!model) return 0;
    for (Hwnd control : model->controls)
        if (m_windows.at(control).id == controlId) return control;
    return 0;
}

void HeadlessBackend::SetText(Hwnd window, const std::string& text) {
    if (WindowModel* model = Model(window)) model->text = text;
}

std::string HeadlessBackend::GetText(Hwnd window) const {
    const WindowModel* model = Find(window);
    return model ? model->text : std::string();
}

void HeadlessBackend::Enable(Hwnd window, bool enable) {
    if (WindowModel* model = Model(window)) model->enabled = enable;
}

bool HeadlessBackend::IsEnabled(Hwnd window) const {
    const WindowModel* model = Find(window);
    return model && model->enabled;
}

void HeadlessBackend::Show(Hwnd window, bool show) {
    if (WindowModel* model = Model(window)) model->visible = show;
}

bool HeadlessBackend::IsVisible(Hwnd window) const {
    const WindowModel* model = Find(window);
    if (!model || !model->visible) return false;
    return model->parent == 0 || IsVisible(model->parent);
}

CRect HeadlessBackend::GetRect(Hwnd window) const {
    const WindowModel* model = Find(window);
    if (!model) return {};
    CRect rect = model->rect;
    if (const WindowModel* parent = Find(model->parent))
        rect.OffsetRect(parent->rect.left, parent->rect.top);
    return rect;
}

void HeadlessBackend::SetRect(Hwnd window, const CRect& rect) {
    if (WindowModel* model = Model(window)) model->rect = rect;
}

void HeadlessBackend::BringToTop(Hwnd window, bool topmost) {
    if (WindowModel* model = Model(window)) {
        model->zOrder = m_nextZOrder++;
        model->topmost = topmost;
    }
}

void HeadlessBackend::SetFocus(Hwnd control) {
    if (WindowModel* model = Model(control); model && model->parent != 0)
        MoveFocus(model->parent, control);
}

int HeadlessBackend::InsertColumn(Hwnd list, int column, const ListColumn& format) {
    WindowModel* model = ListOf(list);
    if (!model || column < 0) return -1;
    column = std::min<int>(column, model->columns.size());
    model->columns.insert(model->columns.begin() + column, format);
    return column;
}

int HeadlessBackend::GetColumnWidth(Hwnd list, int column) const {
    const WindowModel* model = Find(list);
    if (!model || column < 0 || column >= static_cast<int>(model->columns.size())) return 0;
    return model->columns[column].width;
}

int HeadlessBackend::InsertItem(Hwnd list, int row, const std::string& text) {
    WindowModel* model = ListOf(list);
    if (!model || row < 0) return -1;
    row = std::min<int>(row, model->rows.size());
    model->rows.insert(model->rows.begin() + row, ListRow{{text}, 0});
    return row;
}

bool HeadlessBackend::SetItemText(Hwnd list, int row, int subItem, const std::string& text) {
    WindowModel* model = ListOf(list);
    if (!model || row < 0 || row >= static_cast<int>(model->rows.size())) return false;
    int subItems = std::max<int>(1, model->columns.size());
    if (subItem < 0 || subItem >= subItems) return false;
    auto& texts = model->rows[row].texts;
    if (subItem >= static_cast<int>(texts.size())) texts.resize(subItem + 1);
    texts[subItem] = text;
    return true;
}

std::string HeadlessBackend::GetItemText(Hwnd list, int row, int subItem) const {
    const WindowModel* model = Find(list);
    if (!model || row < 0 || row >= static_cast<int>(model->rows.size()) || subItem < 0) return {};
    const auto& texts = model->rows[row].texts;
    return subItem < static_cast<int>(texts.size()) ? texts[subItem] : std::string();
}

bool HeadlessBackend::SetItemData(Hwnd list, int row, std::uintptr_t data) {
    WindowModel* model = ListOf(list);
    if (!model || row < 0 || row >= static_cast<int>(model->rows.size())) return false;
    model->rows[row].data = data;
    return true;
}

std::uintptr_t HeadlessBackend::GetItemData(Hwnd list, int row) const {
    const WindowModel* model = Find(list);
    if (!model || row < 0 || row >= static_cast<int>(model->rows.size())) return 0;
    return model->rows[row].data;
}

int HeadlessBackend::GetItemCount(Hwnd list) const {
    const WindowModel* model = Find(list);
    return model ? static_cast<int>(model->rows.size()) : 0;
}

bool HeadlessBackend::DeleteAllItems(Hwnd list) {
    WindowModel* model = ListOf(list);
    if (!model) return false;
    model->rows.clear();
    model->selectionMark = -1;
    return true;
}

int HeadlessBackend::GetSelectionMark(Hwnd list) const {
    const WindowModel* model = Find(list);
    return model ? model->selectionMark : -1;
}

int HeadlessBackend::SetSelectionMark(Hwnd list, int row) {
    WindowModel* model = ListOf(list);
    if (!model) return -1;
    return std::exchange(model->selectionMark, row);
}

void HeadlessBackend::SetRange(Hwnd bar, int lower, int upper) {
    if (WindowModel* model = BarOf(bar)) {
        model->lower = lower;
        model->upper = upper;
        model->pos = std::clamp(model->pos, lower, std::max(lower, upper));
    }
}

int HeadlessBackend::SetPos(Hwnd bar, int pos) {
    WindowModel* model = BarOf(bar);
    if (!model) return 0;
    return std::exchange(model->pos,
                         std::clamp(pos, model->lower, std::max(model->lower, model->upper)));
}

int HeadlessBackend::GetPos(Hwnd bar) const {
    const WindowModel* model = Find(bar);
    return model ? model->pos : 0;
}

void HeadlessBackend::RunModalLoop(Hwnd dialog) {
    if (WindowModel* model = Model(dialog); model && !model->modalEnded) model->visible = true;
    int giveUps = 0;
    for (;;) {
        const WindowModel* model = Find(dialog);
        if (!model || model->modalEnded) return;
        if (!Turn(true)) GiveUp(dialog, giveUps);
    }
}

void HeadlessBackend::EndModalLoop(Hwnd dialog) {
    if (WindowModel* model = Model(dialog)) model->modalEnded = true;
}

void HeadlessBackend::PumpPending() {
    PollSources(false);
    QueueDueTimers();
    for (;;) {
        if (!m_events.empty())
            DeliverNext();
        else if (NextSourceWake() >= 0 || !m_user.TryAct(*this))
            return;
    }
}

void HeadlessBackend::Post(Hwnd window, std::function<void()> task) {
    m_events.push_back({window, std::move(task)});
}

bool HeadlessBackend::StartTimer(Hwnd window, unsigned id, unsigned periodMs) {
    if (m_refuseTimers || !IsWindow(window)) return false;
    StopTimer(window, id);
    m_timers.push_back(
        {window, id, periodMs, m_clock.NowMs() + periodMs, m_nextTimerOrder++, false});
    return true;
}

bool HeadlessBackend::StopTimer(Hwnd window, unsigned id) {
    return std::erase_if(m_timers,
                         [&](const Timer& t) { return t.window == window && t.id == id; }) > 0;
}

void HeadlessBackend::AttachBrowser(Hwnd control, BrowserView* view) {
    if (WindowModel* model = Model(control)) model->browser = view;
}

void HeadlessBackend::AddLoopSource(LoopSource* source) {
    RemoveLoopSource(source);
    m_sources.push_back(source);
}

void HeadlessBackend::RemoveLoopSource(LoopSource* source) {
    std::erase(m_sources, source);
}

int HeadlessBackend::MessageBox(const std::string& text, unsigned type) {
    int answer = m_user.AnswerMessageBox(text, type);
    m_boxes.push_back({text, type, answer});
    if (m_boxObserver) m_boxObserver(m_boxes.back());
    return answer;
}

std::optional<std::string> HeadlessBackend::BrowseForFolder(Hwnd, const std::string& title) {
    m_folderChoosers.push_back(title);
    return m_user.AnswerFolderChooser();
}

void HeadlessBackend::RunWhile(const std::function<bool()>& keepGoing) {
    while (keepGoing() && Turn(true)) {
    }
}

void HeadlessBackend::PressButton(Hwnd dialog, int buttonId) {
    WindowModel* button = ControlOf(dialog, buttonId);
    if (!button || !IsButton(button->kind) || !button->enabled) return;
    MoveFocus(dialog, button->handle);
    Notify(dialog, buttonId, Notification::Clicked);
}

void HeadlessBackend::Cancel(Hwnd dialog) {
    Notify(dialog, IDCANCEL, Notification::Clicked);
}

void HeadlessBackend::TypeText(Hwnd dialog, int editId, const std::string& text) {
    WindowModel* edit = ControlOf(dialog, editId);
    if (!edit || edit->kind != ControlKind::Edit || !edit->enabled) return;
    Hwnd handle = edit->handle;
    MoveFocus(dialog, handle);
    if (WindowModel* model = Model(handle); model && !model->text.empty()) {
        model->text.clear();
        Notify(dialog, editId, Notification::Changed);
    }
    for (char c : text) {
        WindowModel* model = Model(handle);
        if (!model) return;
        model->text += c;
        Notify(dialog, editId, Notification::Changed);
    }
}

void HeadlessBackend::ClickListRow(Hwnd dialog, int listId, int row) {
    WindowModel* list = ControlOf(dialog, listId);
    if (!list || list->kind != ControlKind::ListView || !list->enabled) return;
    if (row >= 0 && row < static_cast<int>(list->rows.size())) list->selectionMark = row;
    Notify(dialog, listId, Notification::ListClick);
}

void HeadlessBackend::DragColumnDivider(Hwnd dialog, int listId, int column, int width) {
    WindowModel* list = ControlOf(dialog, listId);
    if (!list || list->kind != ControlKind::ListView) return;
    Hwnd handle = list->handle;
    std::optional<int> refused = Notify(dialog, listId, Notification::HeaderBeginTrack);
    if (refused && *refused != 0) return;
    WindowModel* model = Model(handle);
    if (model && column >= 0 && column < static_cast<int>(model->columns.size()))
        model->columns[column].width = width;
}

const WindowModel* HeadlessBackend::FindDialog(int templateId) const {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (it->second.parent == 0 && it->second.id == templateId) return &it->second;
    return nullptr;
}

Hwnd HeadlessBackend::NewestDialog(int templateId) const {
    const WindowModel* dialog = FindDialog(templateId);
    return dialog ? dialog->handle : 0;
}

Hwnd HeadlessBackend::ShownDialog(int templateId) const {
    const WindowModel* dialog = FindDialog(templateId);
    return dialog && dialog->visible && !dialog->modalEnded ? dialog->handle : 0;
}

BrowserView* HeadlessBackend::BrowserOf(Hwnd control) const {
    const WindowModel* model = Find(control);
    return model ? model->browser : nullptr;
}

const WindowModel* HeadlessBackend::FindControl(int templateId, int controlId) const {
    const WindowModel* dialog = FindDialog(templateId);
    return dialog ? Find(GetControl(dialog->handle, controlId)) : nullptr;
}

const WindowModel* HeadlessBackend::Find(Hwnd window) const {
    auto found = m_windows.find(window);
    return found == m_windows.end() ? nullptr : &found->second;
}

void HeadlessBackend::SetMessageBoxObserver(std::function<void(const MessageBoxRecord&)> observer) {
    m_boxObserver = std::move(observer);
}

WindowModel* HeadlessBackend::Model(Hwnd window) {
    auto found = m_windows.find(window);
    return found == m_windows.end() ? nullptr : &found->second;
}

WindowModel* HeadlessBackend::ControlOf(Hwnd dialog, int controlId) {
    return Model(GetControl(dialog, controlId));
}

WindowModel* HeadlessBackend::ListOf(Hwnd list) {
    WindowModel* model = Model(list);
    return model && model->kind == ControlKind::ListView && model->parent != 0 ? model : nullptr;
}

WindowModel* HeadlessBackend::BarOf(Hwnd bar) {
    WindowModel* model = Model(bar);
    return model && model->kind == ControlKind::Progress && model->parent != 0 ? model : nullptr;
}

std::optional<int> HeadlessBackend::Notify(Hwnd dialog, int controlId, Notification code) {
    WindowModel* model = Model(dialog);
    if (!model || !model->wnd) return std::nullopt;
    int result = 0;
    if (!model->wnd->OnNotify(controlId, code, &result)) return std::nullopt;
    return result;
}

void HeadlessBackend::MoveFocus(Hwnd dialog, Hwnd control) {
    WindowModel* model = Model(dialog);
    if (!model || model->focus == control) return;
    Hwnd previous = std::exchange(model->focus, control);
    const WindowModel* left = Find(previous);
    if (left && left->kind == ControlKind::Edit) Notify(dialog, left->id, Notification::KillFocus);
}

bool HeadlessBackend::Turn(bool mayWait) {
    QueueDueTimers();
    if (!m_events.empty()) {
        DeliverNext();
        return true;
    }
    if (PollSources(mayWait)) return true;
    if (m_user.TryAct(*this)) return true;
    std::optional<std::int64_t> due = NextTimerDue();
    if (!mayWait || !due) return false;
    m_clock.WaitUntil(*due);
    return true;
}

void HeadlessBackend::QueueDueTimers() {
    std::int64_t now = m_clock.NowMs();
    std::vector<Timer*> due;
    for (Timer& timer : m_timers)
        if (!timer.queued && timer.dueMs <= now) due.push_back(&timer);
    std::sort(due.begin(), due.end(), [](const Timer* a, const Timer* b) {
        return a->dueMs != b->dueMs ? a->dueMs < b->dueMs : a->order < b->order;
    });
    for (Timer* timer : due) {
        timer->queued = true;
        Hwnd window = timer->window;
        unsigned id = timer->id;
        Post(window, [this, window, id] { DeliverTimer(window, id); });
    }
}

void HeadlessBackend::DeliverNext() {
    Event event = std::move(m_events.front());
    m_events.pop_front();
    if (event.window == 0 || IsWindow(event.window)) event.run();
}

void HeadlessBackend::DeliverTimer(Hwnd window, unsigned id) {
    auto timer = std::find_if(m_timers.begin(), m_timers.end(), [&](const Timer& t) {
        return t.window == window && t.id == id && t.queued;
    });
    if (timer == m_timers.end()) return;
    timer->queued = false;
    timer->dueMs = m_clock.NowMs() + std::max(timer->periodMs, kShortestPeriodMs);
    timer->order = m_nextTimerOrder++;
    if (WindowModel* model = Model(window); model && model->wnd) model->wnd->OnTimer(id);
}

std::optional<std::int64_t> HeadlessBackend::NextTimerDue() const {
    std::optional<std::int64_t> due;
    for (const Timer& timer : m_timers)
        if (!timer.queued && (!due || timer.dueMs < *due)) due = timer.dueMs;
    return due;
}

int HeadlessBackend::NextSourceWake() {
    int wake = -1;
    for (LoopSource* source : m_sources) {
        int next = source->NextWakeMs();
        if (next >= 0 && (wake < 0 || next < wake)) wake = next;
    }
    return wake;
}

bool HeadlessBackend::PollSources(bool mayWait) {
    int wake = NextSourceWake();
    if (wake < 0) return false;
    int wait = mayWait ? wake : 0;
    std::optional<std::int64_t> due = NextTimerDue();
    if (wait > 0 && due && !m_clock.IsVirtual())
        wait = static_cast<int>(std::clamp<std::int64_t>(*due - m_clock.NowMs(), 0, wait));
    std::vector<LoopSource*> sources = m_sources;
    for (LoopSource* source : sources) {
        if (std::find(m_sources.begin(), m_sources.end(), source) == m_sources.end()) continue;
        source->Poll(std::exchange(wait, 0));
    }
    return true;
}

void HeadlessBackend::GiveUp(Hwnd dialog, int& giveUps) {
    const WindowModel* model = Find(dialog);
    if (giveUps++ > 0)
        throw std::logic_error(text::Format("dialog %d waits for a user who has nothing left to do",
                                            model ? model->id : 0));
    Cancel(dialog);
}

}  // namespace ui
