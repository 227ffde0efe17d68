#include <gtest/gtest.h>

#include "platform/ui/dialog.h"
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

}  // namespace
