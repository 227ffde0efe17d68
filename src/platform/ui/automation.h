#pragma once
// The hand of whoever acts for the person at the windows of a backend: the scripted user, the
// host program and the tests reach the windows through it, whatever draws them. Actions go
// through the same paths as the person's own (a press is a click on the button, Escape is the
// cancel path), so that a dialog cannot tell them apart.

#include <functional>
#include <string>

#include "platform/ui/backend.h"

namespace ui {

class ScriptedUser;

struct MessageBoxRecord {
    std::string text;  // CP1252
    unsigned type;
    int answer;
};

class Automation {
  public:
    virtual ~Automation() = default;

    // The newest window made from that template, or 0.
    virtual Hwnd NewestDialog(int templateId) const = 0;
    // The newest window of that template that is on show and not ending its modal loop, or 0.
    virtual Hwnd ShownDialog(int templateId) const = 0;
    // The browser shown in a browser control, or null.
    virtual BrowserView* BrowserOf(Hwnd control) const = 0;

    // Presses a button; a disabled button takes the press and does nothing.
    virtual void PressButton(Hwnd dialog, int buttonId) = 0;
    // Escape or the close box.
    virtual void Cancel(Hwnd dialog) = 0;
    // Empties the edit, then types text (CP1252) into it one character at a time.
    virtual void TypeText(Hwnd dialog, int editId, const std::string& text) = 0;
    virtual void ClickListRow(Hwnd dialog, int listId, int row) = 0;
    virtual void DragColumnDivider(Hwnd dialog, int listId, int column, int width) = 0;

    virtual ScriptedUser& User() = 0;
    // Told of every message box as it is answered.
    virtual void SetMessageBoxObserver(std::function<void(const MessageBoxRecord&)> observer) = 0;
    // Runs the loop while keepGoing answers true and something can still happen.
    virtual void RunWhile(const std::function<bool()>& keepGoing) = 0;
    // Saves a picture of the window as it is drawn now, when the backend keeps pictures.
    virtual void SavePicture(Hwnd dialog) = 0;
};

}  // namespace ui
