#pragma once
// A facade made after the web exchange fixture has set the host's data folder, the headless UI
// and the in-memory browser up, and deleted before it takes them down.

#include <memory>

#include "connection/web_fixture.h"
#include "module/prixel_ctrl.h"
#include "resources/prixel_resources.h"

class ModuleTest : public WebExchangeTest {
  protected:
    void SetUp() override {
        WebExchangeTest::SetUp();
        m_prixel = std::make_unique<CPrixelCtrl>();
    }
    void TearDown() override {
        m_prixel.reset();
        WebExchangeTest::TearDown();
    }

    std::unique_ptr<CPrixelCtrl> m_prixel;
};
