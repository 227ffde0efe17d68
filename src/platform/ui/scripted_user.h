#pragma once
// The scripted user of a backend: a queue of steps given before the dialogs run. Each step
// waits for a window made from its dialog template (and for its condition, when it has one), then
// acts on the newest such window as a user would. Steps run in the order given; the user acts
// only when the loop has nothing else to do at that moment. Message boxes and the folder chooser
// take their answer from the step at the head of the queue when it is an answer for them.

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/ui/backend.h"

namespace ui {

class Automation;

class ScriptedUser {
  public:
    using Condition = std::function<bool()>;

    // Presses a button; a disabled button takes the press and does nothing.
    ScriptedUser& Press(int dialogId, int buttonId, Condition when = {});
    ScriptedUser& PressEscape(int dialogId, Condition when = {});
    ScriptedUser& CloseWindow(int dialogId, Condition when = {});
    // Empties the edit, then types text (CP1252) into it one character at a time.
    ScriptedUser& Type(int dialogId, int editId, std::string text, Condition when = {});
    // Clicks row of a list view: a row that exists becomes the selection mark; a click outside
    // the rows leaves the mark as it was. The dialog is told of the click either way.
    ScriptedUser& ClickRow(int dialogId, int listId, int row, Condition when = {});
    // Drags the right divider of a column of a list view's header to make it width pixels wide.
    ScriptedUser& DragColumnDivider(int dialogId, int listId, int column, int width,
                                    Condition when = {});
    // Anything else, once the dialog is shown.
    ScriptedUser& Do(int dialogId, std::function<void()> action, Condition when = {});
    // The answer (IDOK, IDCANCEL, IDYES, IDNO) to the next message box.
    ScriptedUser& AnswerMessageBox(int answer);
    // The answer to every message box that has no scripted answer and offers that button (IDYES or
    // IDNO, say); other boxes take their first button.
    void SetDefaultAnswer(std::optional<int> answer) { m_defaultAnswer = answer; }
    // The folder picked in the next folder chooser; nothing cancels it.
    ScriptedUser& ChooseFolder(std::optional<std::string> folder);

    std::size_t PendingSteps() const { return m_steps.size(); }
    void Clear() { m_steps.clear(); }

    // For the backends. Performs the head step when its window exists and its condition holds;
    // answers whether it acted.
    bool TryAct(Automation& hand);
    // The scripted answer to a box of that type, or its first button.
    int AnswerMessageBox(const std::string& text, unsigned type);
    std::optional<std::string> AnswerFolderChooser();

  private:
    enum class StepKind { Window, MessageBox, FolderChooser };
    struct Step {
        StepKind kind = StepKind::Window;
        int dialogId = 0;
        Condition when;
        std::function<void(Automation&, Hwnd)> act;
        int answer = 0;
        std::optional<std::string> folder;
    };

    ScriptedUser& OnWindow(int dialogId, Condition when,
                           std::function<void(Automation&, Hwnd)> act);

    std::deque<Step> m_steps;
    std::optional<int> m_defaultAnswer;
};

}  // namespace ui
