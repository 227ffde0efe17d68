#pragma once
// The host program's screen: the windows of the backend that the composition put in place,
// headless or on the desktop, and the hand that acts on them for the person. Message boxes are
// printed on standard error as "message: TEXT" lines (UTF-8) and Yes/No questions take the answer
// given on the command line; a scripted user stands in for the person.

#include <optional>
#include <string>

#include "platform/ui/automation.h"
#include "platform/ui/scripted_user.h"

class HostScreen {
  public:
    // answer: IDYES or IDNO for every Yes/No question, or nothing for the boxes' first button.
    explicit HostScreen(std::optional<int> answer);
    ~HostScreen();
    HostScreen(const HostScreen&) = delete;
    HostScreen& operator=(const HostScreen&) = delete;

    ui::ScriptedUser& User() { return m_hand.User(); }
    // The hand on the windows.
    ui::Automation& Hand() { return m_hand; }
    // The browser of the web exchange dialog on show, or null.
    ui::BrowserView* ShownBrowser() const;
    // Prints "toaster: TEXT" when a toaster is on show.
    void ReportToaster() const;
    // Lets the loop run until the toaster on show, if any, has gone by itself.
    void WaitForToaster();

  private:
    ui::Automation& m_hand;
};
