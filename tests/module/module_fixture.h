#pragma once
// A facade on a headless backend with a virtual clock, the plug-in's templates registered and the
// host's data folder in a fresh temporary folder.

#include <gtest/gtest.h>

#include <memory>

#include "host/paths.h"
#include "module/prixel_ctrl.h"
#include "platform/ui/headless/headless_backend.h"
#include "resources/prixel_resources.h"
#include "support/temp_dir.h"

class ModuleTest : public testing::Test {
  protected:
    ModuleTest() {
        CParPath::sCurrentPath = m_dir.Folder();
        ui::RegisterResourceModule(&PrixelResources());
        m_prixel = std::make_unique<CPrixelCtrl>();
    }
    ~ModuleTest() override {
        m_prixel.reset();
        ui::UnregisterResourceModule(&PrixelResources());
        CParPath::sCurrentPath.clear();
    }

    const ui::WindowModel* Toaster() const { return m_backend->FindDialog(IDD_PRIXEL_TOASTER); }
    std::string ToasterText() const {
        return m_backend->FindControl(IDD_PRIXEL_TOASTER, IDC_TOASTER_TEXT)->text;
    }

    TempDir m_dir;
    ui::VirtualClock m_clock;
    std::shared_ptr<ui::HeadlessBackend> m_backend = std::make_shared<ui::HeadlessBackend>(m_clock);
    ui::ScopedBackend m_scoped{m_backend};
    std::unique_ptr<CPrixelCtrl> m_prixel;
};
