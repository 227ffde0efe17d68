#include "module/prixel_ctrl.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "module/module_fixture.h"
#include "platform/ui/resources.h"
#include "resources/prixel_resources.h"

namespace {

using FacadeCopyTest = ModuleTest;

TEST_F(FacadeCopyTest, CopiesShareTheToasterAndTheLastOneHoldingItRemovesIt) {
    CPrixelCtrl other;
    other.DisplayToaster("own");
    // The toaster that facade held alone goes with the assignment.
    other = *m_prixel;
    EXPECT_EQ(Toaster(), nullptr);

    m_prixel->DisplayToaster("shared");
    {
        const CPrixelCtrl copy(*m_prixel);
        CPrixelCtrl assigned;
        assigned = copy;
        assigned = assigned;
    }
    ASSERT_NE(Toaster(), nullptr);
    EXPECT_EQ(ToasterText(), "shared");
    m_prixel.reset();
    EXPECT_EQ(Toaster(), nullptr);
}

TEST(PrixelModuleTest, LoadingTheLibraryRegistersItsTemplatesAndUnloadingWithdrawsThem) {
    ASSERT_EQ(ui::FindDialogTemplate(IDD_PRIXEL_TOASTER), nullptr);
    void* library = dlopen(PRIXEL_PLUGIN_SO, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();

    // Their French texts are held in CP1252.
    ASSERT_NE(ui::FindDialogTemplate(IDD_PRIXEL_UPDATE), nullptr);
    EXPECT_EQ(ui::FindDialogTemplate(IDD_PRIXEL_UPDATE)->title, "Mise \xE0 jour Vako Prixel");
    EXPECT_NE(ui::FindResourceModule(PRIXEL_RESOURCE_MODULE), nullptr);

    ASSERT_EQ(dlclose(library), 0);
    EXPECT_EQ(ui::FindDialogTemplate(IDD_PRIXEL_UPDATE), nullptr);
    EXPECT_EQ(ui::FindResourceModule(PRIXEL_RESOURCE_MODULE), nullptr);
}

}  // namespace
