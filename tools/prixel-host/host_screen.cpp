#include "host_screen.h"

#include <iostream>

#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

// A text as one output line: line breaks inside it become blanks, a final one is dropped.
std::string AsLine(const std::string& cp1252) {
    std::string line = text::Replace(text::TrimRight(cp1252), "\r\n", " ");
    return text::ToUtf8(text::Replace(line, '\n', ' '));
}

}  // namespace

HostScreen::HostScreen(std::optional<int> answer)
    : m_hand(dynamic_cast<ui::Automation&>(ui::CurrentBackend())) {
    m_hand.User().SetDefaultAnswer(answer);
    m_hand.SetMessageBoxObserver([](const ui::MessageBoxRecord& box) {
        std::cerr << "message: " << AsLine(box.text) << std::endl;
    });
}

HostScreen::~HostScreen() {
    m_hand.SetMessageBoxObserver({});
}

ui::BrowserView* HostScreen::ShownBrowser() const {
    const ui::Hwnd dialog = m_hand.NewestDialog(IDD_PRIXEL_WEB);
    return m_hand.BrowserOf(ui::CurrentBackend().GetControl(dialog, IDC_PRIXEL_BROWSER));
}

void HostScreen::ReportToaster() const {
    const ui::Hwnd toaster = m_hand.ShownDialog(IDD_PRIXEL_TOASTER);
    if (toaster == 0) return;
    ui::Backend& backend = ui::CurrentBackend();
    std::cerr << "toaster: "
              << AsLine(backend.GetText(backend.GetControl(toaster, IDC_TOASTER_TEXT)))
              << std::endl;
}

void HostScreen::WaitForToaster() {
    m_hand.RunWhile([this] { return m_hand.ShownDialog(IDD_PRIXEL_TOASTER) != 0; });
}
