#pragma once
// A fixture for tests that exchange with the service: a fresh data folder for Prixel.ini, the
// headless UI on a virtual clock with its scripted user, the plug-in's dialog templates and the
// in-memory browser.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "connection/fake_browser.h"
#include "host/paths.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/ui/headless/headless_backend.h"
#include "resources/prixel_resources.h"
#include "support/temp_dir.h"

class WebExchangeTest : public testing::Test {
  protected:
    void SetUp() override {
        CParPath::sCurrentPath = m_dir.Folder();
        CParPath::sFirmDefaut = "SOC";
        sys::SetHostVersion({7, 50, 0, 0});
        ui::RegisterResourceModule(&PrixelResources());
    }
    void TearDown() override {
        ui::UnregisterResourceModule(&PrixelResources());
        CParPath::sCurrentPath.clear();
        CParPath::sFirmDefaut.clear();
        sys::SetHostVersion({0, 0, 0, 0});
    }

    ui::ScriptedUser& User() { return m_backend->User(); }
    // The texts of the message boxes shown so far, in UTF-8.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const ui::MessageBoxRecord& box : m_backend->MessageBoxes())
            texts.push_back(text::ToUtf8(box.text));
        return texts;
    }
    // The toaster's window, or nothing; the text of the one shown, in UTF-8, empty when none is.
    const ui::WindowModel* Toaster() const { return m_backend->FindDialog(IDD_PRIXEL_TOASTER); }
    std::string ToasterText() const {
        if (!Toaster() || !Toaster()->visible) return "";
        return text::ToUtf8(m_backend->FindControl(IDD_PRIXEL_TOASTER, IDC_TOASTER_TEXT)->text);
    }

    TempDir m_dir;
    ui::VirtualClock m_clock;
    std::shared_ptr<ui::HeadlessBackend> m_backend = std::make_shared<ui::HeadlessBackend>(m_clock);
    ui::ScopedBackend m_scoped{m_backend};
    FakeWeb m_web;
    FakeWeb::Installed m_installed{m_web};
};
