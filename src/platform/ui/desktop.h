#pragma once
// What the dialogs ask of the desktop besides their own windows: message boxes, the folder
// chooser, the screen's work area, the mouse pointer, and letting pending messages through.

#include <optional>
#include <string>

#include "platform/ui/dialog.h"
#include "platform/ui/geometry.h"

// Button sets and icons of message boxes.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_TYPEMASK = 0x0F;

// Shows text (CP1252) with the buttons of type; answers IDOK, IDCANCEL, IDYES or IDNO.
int AfxMessageBox(const std::string& text, unsigned type = MB_OK);

namespace ui {

// The folder the user picks in the folder chooser, or nothing when he cancels.
std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title);
// The screen less the task bar and docked bars.
CRect GetWorkArea();
CPoint GetCursorPos();
// Delivers every event waiting now, so that windows stay alive during a long piece of work.
void PumpPendingMessages();

}  // namespace ui
