#include <gtest/gtest.h>

#include <functional>

#include "module/module_fixture.h"
#include "module/sheets.h"
#include "support/recording_opener.h"

namespace {

using PrixelSheetTest = ModuleTest;

// A toaster on show goes before the sheet's dialog opens, not with its timer. The texts are joined
// as they are.
TEST_F(PrixelSheetTest, SheetsJoinTheirTextsAsTheyAreAndRemoveTheToasterFirst) {
    const std::string request = "https:///Varneloawp?COMMANDE=1:2:7.50_";
    const std::pair<std::function<void()>, std::string> sheets[] = {
        {[this] { m_prixel->OpenArticleSheet("A|1", "b:c", "d_e", "f!g"); },
         "AWPArticleDetail_PAGEAFFICHE_AA_A|1|b:c|d_e|f!g__:"},
        {[this] { m_prixel->OpenProductSheet("P|1", "", "c"); },
         "AWPVignette_PAGEAFFICHE_AV_P|1||c__:"},
        {[this] { m_prixel->OpenMakerSheet("M|1#"); }, "AWPFicheFabricant_PAGEAFFICHE_AF_M|1#__:"}};
    for (const auto& [open, address] : sheets) {
        SCOPED_TRACE(address);
        m_prixel->DisplayToaster("fin");
        bool toasterGone = false;
        User().Do(IDD_PRIXEL_WEB,
                  [&] { toasterGone = Toaster() == nullptr && m_clock.NowMs() == 0; });
        User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
        open();
        EXPECT_TRUE(toasterGone);
        ASSERT_FALSE(m_web.navigations.empty());
        EXPECT_TRUE(m_web.navigations.back().starts_with(request + address))
            << m_web.navigations.back();
    }
}

TEST_F(PrixelSheetTest, ProductPageOpensInTheUsersBrowser) {
    RecordingOpener opener(m_dir);
    m_prixel->OpenVakoPrixelCom();
    EXPECT_EQ(opener.WaitForArgument(), PRIXEL_PRODUCT_PAGE);
    EXPECT_TRUE(m_web.navigations.empty());
}

}  // namespace
