#include "headless_host.h"

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

HeadlessHost::HeadlessHost(std::optional<int> answer)
    : m_backend(&dynamic_cast<ui::HeadlessBackend&>(ui::CurrentBackend())) {
    m_backend->User().SetDefaultAnswer(answer);
    m_backend->SetMessageBoxObserver([](const ui::MessageBoxRecord& box) {
        std::cerr << "message: " << AsLine(box.text) << std::endl;
    });
}

HeadlessHost::~HeadlessHost() {
    m_backend->SetMessageBoxObserver({});
}

ui::BrowserView* HeadlessHost::ShownBrowser() const {
    const ui::WindowModel* control = m_backend->FindControl(IDD_PRIXEL_WEB, IDC_PRIXEL_BROWSER);
    return control ? control->browser : nullptr;
}

void HeadlessHost::ReportToaster() const {
    const ui::WindowModel* toaster = m_backend->FindDialog(IDD_PRIXEL_TOASTER);
    if (toaster == nullptr || !toaster->visible) return;
    const ui::WindowModel* textControl =
        m_backend->FindControl(IDD_PRIXEL_TOASTER, IDC_TOASTER_TEXT);
    std::cerr << "toaster: " << AsLine(textControl ? textControl->text : "") << std::endl;
}

void HeadlessHost::WaitForToaster() {
    m_backend->RunWhile([this] {
        const ui::WindowModel* toaster = m_backend->FindDialog(IDD_PRIXEL_TOASTER);
        return toaster != nullptr && toaster->visible;
    });
}
