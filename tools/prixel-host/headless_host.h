#pragma once
// The host program's user interface without windows: the headless backend that the composition
// put in place.
// Message boxes are printed on standard error as "message: TEXT" lines (UTF-8) and Yes/No
// questions take the answer given on the command line; a scripted user stands in for the person.

#include <optional>
#include <string>

#include "platform/ui/headless/headless_backend.h"

class HeadlessHost {
  public:
    // answer: IDYES or IDNO for every Yes/No question, or nothing for the boxes' first button.
    explicit HeadlessHost(std::optional<int> answer);
    ~HeadlessHost();
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    ui::ScriptedUser& User() { return m_backend->User(); }
    // The windows as the person sees them, and his hand on them.
    ui::HeadlessBackend& Backend() { return *m_backend; }
    // The browser of the web exchange dialog on show, or null.
    ui::BrowserView* ShownBrowser() const;
    // Prints "toaster: TEXT" when a toaster is on show.
    void ReportToaster() const;
    // Lets the loop run until the toaster on show, if any, has gone by itself.
    void WaitForToaster();

  private:
    ui::HeadlessBackend* m_backend;
};
