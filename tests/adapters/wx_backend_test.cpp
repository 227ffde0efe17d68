// The desktop backend on a virtual display: windows take their templates' sizes in the units of
// their font, and the toaster stands at the bottom-right corner of the work area until it goes.

#include <gtest/gtest.h>

#include <vector>

#include "adapters/composition.h"
#include "module/prixel_ctrl.h"
#include "platform/text.h"
#include "platform/ui/automation.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_resources.h"
#include "support/virtual_display.h"

namespace {

class WxBackendTest : public testing::Test {
  protected:
    void SetUp() override {
        // One display for the whole process: the desktop's libraries stay bound to the first.
        static VirtualDisplay display;
        ASSERT_FALSE(display.Name().empty()) << "Xvfb could not be started";
        ASSERT_TRUE(adapters::Compose(adapters::Screen::Desktop));
        ui::RegisterResourceModule(&PrixelResources());
    }
    void TearDown() override {
        ui::UnregisterResourceModule(&PrixelResources());
        adapters::Compose(adapters::Screen::Headless);
    }

    ui::Backend& Backend() { return ui::CurrentBackend(); }
    ui::Automation& Hand() { return dynamic_cast<ui::Automation&>(ui::CurrentBackend()); }
};

// Pixels per dialog unit times the units' divisors (4 across, 8 down) is the font's character size,
// the same for every window and control.
TEST_F(WxBackendTest, WindowsAndControlsTakeTheirTemplatesSizeInTheFontsUnits) {
    std::vector<std::pair<double, double>> units;
    const auto measure = [&units](const CRect& pixels, int cx, int cy) {
        units.emplace_back(pixels.Width() * 4.0 / cx, pixels.Height() * 8.0 / cy);
    };
    for (int id : {IDD_PRIXEL_WEB, IDD_PRIXEL_UPDATE, IDD_IMPORT_PROGRESS, IDD_PRIXEL_TOASTER,
                   IDD_IMPORT_WORK}) {
        const ui::DialogTemplate* dialog = ui::FindDialogTemplate(id);
        ASSERT_NE(dialog, nullptr);
        CDialog window(id);
        ASSERT_TRUE(window.Create(id)) << id;
        CRect rect;
        window.GetWindowRect(&rect);
        measure(rect, dialog->cx, dialog->cy);
        const ui::ControlTemplate& first = dialog->controls.front();
        measure(Backend().GetRect(Backend().GetControl(window.m_hWnd, first.id)), first.cx,
                first.cy);
    }
    const auto [x, y] = units.front();
    EXPECT_TRUE(x >= 5 && x <= 9 && y >= 11 && y <= 18) << x << " by " << y;
    for (const auto& [across, down] : units) {
        EXPECT_NEAR(across, x, 0.25);
        EXPECT_NEAR(down, y, 0.75);
    }
}

TEST_F(WxBackendTest, ToasterStandsInTheWorkAreasCornerUntilItGoes) {
    CPrixelCtrl prixel;
    prixel.DisplayToaster(text::FromUtf8("Récupération des éléments terminée."));
    const ui::Hwnd toaster = Hand().ShownDialog(IDD_PRIXEL_TOASTER);
    ASSERT_NE(toaster, 0);
    const CRect area = ui::GetWorkArea();
    Hand().RunWhile([&] {
        return Hand().ShownDialog(IDD_PRIXEL_TOASTER) != 0 &&
               Backend().GetRect(toaster).right != area.right;
    });
    const CRect rect = Backend().GetRect(toaster);
    EXPECT_EQ(rect.right, area.right);
    EXPECT_EQ(rect.bottom, area.bottom);

    Hand().RunWhile([&] { return Hand().ShownDialog(IDD_PRIXEL_TOASTER) != 0; });
    EXPECT_FALSE(Backend().IsWindow(toaster));
}

}  // namespace
