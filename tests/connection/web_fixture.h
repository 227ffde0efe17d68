#pragma once
// A fixture for tests that exchange with the service: a fresh data folder for Prixel.ini, the
// headless UI on a virtual clock with its scripted user, the plug-in's dialog templates and the
// in-memory browser.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "connection/fake_browser.h"
#include "platform/ui/headless/headless_backend.h"
#include "support/temp_dir.h"

class WebExchangeTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    ui::ScriptedUser& User() { return m_backend->User(); }
    // The texts of the message boxes shown so far, in UTF-8.
    std::vector<std::string> Messages() const;
    // The toaster's window, or nothing; the text of the one shown, in UTF-8, empty when none is.
    const ui::WindowModel* Toaster() const;
    std::string ToasterText() const;

    TempDir m_dir;
    ui::VirtualClock m_clock;
    std::shared_ptr<ui::HeadlessBackend> m_backend = std::make_shared<ui::HeadlessBackend>(m_clock);
    ui::ScopedBackend m_scoped{m_backend};
    FakeWeb m_web;
    FakeWeb::Installed m_installed{m_web};
};
