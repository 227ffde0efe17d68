#include "connection/web_fixture.h"

#include "host/paths.h"
#include "platform/system.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"

void WebExchangeTest::SetUp() {
    CParPath::sCurrentPath = m_dir.Folder();
    CParPath::sFirmDefaut = "SOC";
    sys::SetHostVersion({7, 50, 0, 0});
    ui::RegisterResourceModule(&PrixelResources());
}

void WebExchangeTest::TearDown() {
    ui::UnregisterResourceModule(&PrixelResources());
    CParPath::sCurrentPath.clear();
    CParPath::sFirmDefaut.clear();
    sys::SetHostVersion({0, 0, 0, 0});
}

std::vector<std::string> WebExchangeTest::Messages() const {
    std::vector<std::string> texts;
    for (const ui::MessageBoxRecord& box : m_backend->MessageBoxes()) {
        texts.push_back(text::ToUtf8(box.text));
    }
    return texts;
}

const ui::WindowModel* WebExchangeTest::Toaster() const {
    return m_backend->FindDialog(IDD_PRIXEL_TOASTER);
}

std::string WebExchangeTest::ToasterText() const {
    if (!Toaster() || !Toaster()->visible) return "";
    return text::ToUtf8(m_backend->FindControl(IDD_PRIXEL_TOASTER, IDC_TOASTER_TEXT)->text);
}
