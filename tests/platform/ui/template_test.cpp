#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/ui/dialog.h"
#include "platform/ui/headless/headless_backend.h"
#include "resources/prixel_resources.h"

namespace {

using ui::DialogTemplate;

const DialogTemplate& TemplateOf(int id) {
    for (const DialogTemplate& dialog : PrixelResources().dialogs)
        if (dialog.id == id) return dialog;
    throw std::out_of_range("no template");
}

TEST(UiTemplateTest, TextsAreHeldInCp1252) {
    EXPECT_EQ(TemplateOf(IDD_PRIXEL_UPDATE).title, "Mise \xE0 jour Vako Prixel");
    for (int id : {IDD_IMPORT_WORK, IDD_IMPORT_WORK_EARLIER}) {
        const DialogTemplate& import = TemplateOf(id);
        ASSERT_EQ(import.controls.size(), 8u);
        EXPECT_EQ(import.controls[2].text, " Param\xE8tre ");
        EXPECT_EQ(import.controls[3].text,
                  "Pr\xE9"
                  "fixe des r\xE9"
                  "f\xE9rences");
    }
}

TEST(UiTemplateTest, TheToasterIsMadeHiddenAtTheScreensOrigin) {
    ui::VirtualClock clock;
    ui::ScopedBackend scope(std::make_shared<ui::HeadlessBackend>(clock));
    ui::RegisterResourceModule(&PrixelResources());
    CDialog toaster(IDD_PRIXEL_TOASTER);
    ASSERT_TRUE(toaster.Create(IDD_PRIXEL_TOASTER));
    CRect rect;
    toaster.GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{0, 0, 300, 50}));
    EXPECT_FALSE(toaster.IsWindowVisible());
    toaster.DestroyWindow();
    ui::UnregisterResourceModule(&PrixelResources());
}

TEST(UiTemplateTest, TheModuleRegistersEveryTemplateItCarries) {
    void* library = dlopen(PRIXEL_PLUGIN_SO, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (int id : {5000, 5003, 5016, 5017, 5018, 5019}) {
        const DialogTemplate* found = ui::FindDialogTemplate(id);
        ASSERT_NE(found, nullptr) << id;
        EXPECT_EQ(found->id, id);
    }
    EXPECT_EQ(ui::FindDialogTemplate(5001), nullptr);
    ASSERT_EQ(dlclose(library), 0);
    EXPECT_EQ(ui::FindDialogTemplate(5000), nullptr);
}

}  // namespace
