#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/text.h"
#include "platform/ui/dialog.h"
#include "platform/ui/headless/headless_backend.h"
#include "resources/prixel_resources.h"

namespace {

using ui::ControlKind;
using ui::ControlTemplate;
using ui::DialogTemplate;

const ControlTemplate& ControlOf(const DialogTemplate& dialog, int id) {
    for (const ControlTemplate& control : dialog.controls)
        if (control.id == id) return control;
    throw std::out_of_range("no control");
}

const DialogTemplate& TemplateOf(int id) {
    for (const DialogTemplate& dialog : PrixelResources().dialogs)
        if (dialog.id == id) return dialog;
    throw std::out_of_range("no template");
}

struct Place {
    int x, y, cx, cy;
    bool operator==(const Place&) const = default;
};

Place PlaceOf(const ControlTemplate& control) {
    return {control.x, control.y, control.cx, control.cy};
}

TEST(UiTemplateTest, WebExchangeDialog) {
    const DialogTemplate& web = TemplateOf(IDD_PRIXEL_WEB);
    EXPECT_EQ(web.title, "Vako Prixel");
    EXPECT_EQ(web.cx, 596);
    EXPECT_EQ(web.cy, 378);
    EXPECT_EQ(web.font, "MS Sans Serif");
    EXPECT_EQ(web.fontPoints, 8);
    EXPECT_EQ(web.style & ui::kStyleVisible, 0u);
    ASSERT_EQ(web.controls.size(), 3u);
    EXPECT_EQ(ControlOf(web, 5000).kind, ControlKind::Browser);
    EXPECT_EQ(PlaceOf(ControlOf(web, 5000)), (Place{7, 7, 582, 346}));
    EXPECT_EQ(ControlOf(web, 5001).kind, ControlKind::PushButton);
    EXPECT_EQ(ControlOf(web, 5001).text, "Quitter");
    EXPECT_EQ(PlaceOf(ControlOf(web, 5001)), (Place{7, 357, 50, 14}));
    EXPECT_EQ(ControlOf(web, 5002).kind, ControlKind::DefPushButton);
    EXPECT_EQ(ControlOf(web, 5002).text, "Valider");
    EXPECT_EQ(PlaceOf(ControlOf(web, 5002)), (Place{65, 357, 50, 14}));
}

TEST(UiTemplateTest, UpdateDialogHoldsItsTextsInCp1252) {
    const DialogTemplate& update = TemplateOf(IDD_PRIXEL_UPDATE);
    EXPECT_EQ(update.title, "Mise \xE0 jour Vako Prixel");
    EXPECT_EQ(update.cx, 255);
    EXPECT_EQ(update.cy, 63);
    std::vector<int> ids;
    for (const ControlTemplate& control : update.controls) ids.push_back(control.id);
    EXPECT_EQ(ids, (std::vector<int>{5001, 5006, 5004, 3}));
    EXPECT_EQ(ControlOf(update, 5001).kind, ControlKind::DefPushButton);
    EXPECT_TRUE(ControlOf(update, 5006).style & ui::kStyleDisabled);
    EXPECT_EQ(ControlOf(update, 3).text, "Tout Actualiser");
    EXPECT_EQ(PlaceOf(ControlOf(update, 3)), (Place{188, 42, 60, 14}));
    const ControlTemplate& list = ControlOf(update, 5004);
    EXPECT_EQ(list.kind, ControlKind::ListView);
    EXPECT_EQ(PlaceOf(list), (Place{7, 7, 171, 49}));
    EXPECT_TRUE((list.style & ui::kStyleReport) && (list.style & ui::kStyleSingleSelection));
}

TEST(UiTemplateTest, ImportDialogsAndProgressWindow) {
    for (int id : {IDD_IMPORT_WORK, IDD_IMPORT_WORK_EARLIER}) {
        const DialogTemplate& import = TemplateOf(id);
        EXPECT_EQ(import.title, "Importation Bib Vako");
        EXPECT_EQ(import.cx, 283);
        EXPECT_EQ(import.cy, 99);
        ASSERT_EQ(import.controls.size(), 8u);
        EXPECT_EQ(import.controls[2].text, " Param\xE8tre ");
        EXPECT_EQ(import.controls[3].text,
                  "Pr\xE9"
                  "fixe des r\xE9"
                  "f\xE9rences");
        EXPECT_EQ(ControlOf(import, 2).text, "&Fermer");
        EXPECT_EQ(ControlOf(import, 13122).kind, ControlKind::DefPushButton);
        EXPECT_EQ(PlaceOf(ControlOf(import, 13122)), (Place{64, 78, 212, 14}));
        EXPECT_EQ(PlaceOf(ControlOf(import, 5007)), (Place{100, 15, 90, 14}));
        EXPECT_EQ(PlaceOf(ControlOf(import, 13120)), (Place{15, 52, 197, 12}));
        EXPECT_EQ(ControlOf(import, 13121).text, "&Parcourir...");
    }
    const DialogTemplate& progress = TemplateOf(IDD_IMPORT_PROGRESS);
    EXPECT_EQ(progress.title, "Vako Prixel");
    EXPECT_EQ(progress.cx, 308);
    EXPECT_EQ(progress.cy, 80);
    EXPECT_EQ(ControlOf(progress, 5017).kind, ControlKind::Progress);
    EXPECT_EQ(PlaceOf(ControlOf(progress, 5017)), (Place{15, 30, 277, 14}));
    EXPECT_EQ(PlaceOf(ControlOf(progress, 5018)), (Place{3, 4, 301, 8}));
    EXPECT_EQ(ControlOf(progress, 2).text, "Interrompre");
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
    EXPECT_EQ(toaster.GetDlgItemText(IDC_TOASTER_TEXT), "");
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
