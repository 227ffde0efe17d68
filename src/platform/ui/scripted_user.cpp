#include "platform/ui/scripted_user.h"

#include <stdexcept>

#include "platform/text.h"
#include "platform/ui/automation.h"
#include "platform/ui/desktop.h"

namespace ui {
namespace {

bool IsButtonOf(unsigned type, int answer) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return answer == IDOK || answer == IDCANCEL;
        case MB_YESNO:
            return answer == IDYES || answer == IDNO;
        default:
            return answer == IDOK;
    }
}

int FirstButtonOf(unsigned type) {
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

}  // namespace

ScriptedUser& ScriptedUser::OnWindow(int dialogId, Condition when,
                                     std::function<void(Automation&, Hwnd)> act) {
    Step step;
    step.dialogId = dialogId;
    step.when = std::move(when);
    step.act = std::move(act);
    m_steps.push_back(std::move(step));
    return *this;
}

ScriptedUser& ScriptedUser::Press(int dialogId, int buttonId, Condition when) {
    return OnWindow(dialogId, std::move(when), [buttonId](Automation& hand, Hwnd dialog) {
        hand.PressButton(dialog, buttonId);
    });
}

ScriptedUser& ScriptedUser::PressEscape(int dialogId, Condition when) {
    return OnWindow(dialogId, std::move(when),
                    [](Automation& hand, Hwnd dialog) { hand.Cancel(dialog); });
}

ScriptedUser& ScriptedUser::CloseWindow(int dialogId, Condition when) {
    return PressEscape(dialogId, std::move(when));
}

ScriptedUser& ScriptedUser::Type(int dialogId, int editId, std::string text, Condition when) {
    return OnWindow(dialogId, std::move(when),
                    [editId, text = std::move(text)](Automation& hand, Hwnd dialog) {
                        hand.TypeText(dialog, editId, text);
                    });
}

ScriptedUser& ScriptedUser::ClickRow(int dialogId, int listId, int row, Condition when) {
    return OnWindow(dialogId, std::move(when), [listId, row](Automation& hand, Hwnd dialog) {
        hand.ClickListRow(dialog, listId, row);
    });
}

ScriptedUser& ScriptedUser::DragColumnDivider(int dialogId, int listId, int column, int width,
                                              Condition when) {
    return OnWindow(dialogId, std::move(when),
                    [listId, column, width](Automation& hand, Hwnd dialog) {
                        hand.DragColumnDivider(dialog, listId, column, width);
                    });
}

ScriptedUser& ScriptedUser::Do(int dialogId, std::function<void()> action, Condition when) {
    return OnWindow(dialogId, std::move(when),
                    [action = std::move(action)](Automation&, Hwnd) { action(); });
}

ScriptedUser& ScriptedUser::AnswerMessageBox(int answer) {
    Step step;
    step.kind = StepKind::MessageBox;
    step.answer = answer;
    m_steps.push_back(std::move(step));
    return *this;
}

ScriptedUser& ScriptedUser::ChooseFolder(std::optional<std::string> folder) {
    Step step;
    step.kind = StepKind::FolderChooser;
    step.folder = std::move(folder);
    m_steps.push_back(std::move(step));
    return *this;
}

bool ScriptedUser::TryAct(Automation& hand) {
    if (m_steps.empty() || m_steps.front().kind != StepKind::Window) return false;
    const Hwnd handle = hand.NewestDialog(m_steps.front().dialogId);
    if (handle == 0) return false;
    if (m_steps.front().when && !m_steps.front().when()) return false;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step.act(hand, handle);
    return true;
}

int ScriptedUser::AnswerMessageBox(const std::string& text, unsigned type) {
    if (m_steps.empty() || m_steps.front().kind != StepKind::MessageBox) {
        if (m_defaultAnswer && IsButtonOf(type, *m_defaultAnswer)) return *m_defaultAnswer;
        return FirstButtonOf(type);
    }
    int answer = m_steps.front().answer;
    m_steps.pop_front();
    if (!IsButtonOf(type, answer))
        throw std::logic_error(text::Format("scripted answer %d is not a button of the box \"%s\"",
                                            answer, text::ToUtf8(text).c_str()));
    return answer;
}

std::optional<std::string> ScriptedUser::AnswerFolderChooser() {
    if (m_steps.empty() || m_steps.front().kind != StepKind::FolderChooser) return std::nullopt;
    std::optional<std::string> folder = std::move(m_steps.front().folder);
    m_steps.pop_front();
    return folder;
}

}  // namespace ui
