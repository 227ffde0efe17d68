#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "connection/prixel_request.h"
#include "connection/prixel_settings.h"
#include "host/paths.h"
#include "module/module_fixture.h"
#include "module/sheets.h"
#include "platform/profile.h"
#include "support/recording_opener.h"

namespace {

class PrixelSheetTest : public ModuleTest {
  protected:
    // The address a sheet of that kind and parameter opens for a facade that has no identity
    // from the service yet.
    static std::string Address(PrixelRequestKind kind, const std::string& param) {
        return BuildRequestAddress({"", KindInfo(kind), HostVersionText(sys::GetHostVersion()),
                                    param, "", CPrixelSettings().GetIdentity(),
                                    CParPath::sFirmDefaut});
    }
    std::string IniText() const {
        std::ostringstream text;
        text << std::ifstream(PrixelIniPath()).rdbuf();
        return text.str();
    }
};

// A toaster on show goes before the sheet's dialog opens, not with its timer.
TEST_F(PrixelSheetTest, SheetsJoinTheirTextsAsTheyAreAndRemoveTheToasterFirst) {
    const std::pair<std::function<void()>, std::string> sheets[] = {
        {[this] { m_prixel->OpenArticleSheet("", "", "", ""); },
         Address(PrixelArticleSheet, "|||")},
        {[this] { m_prixel->OpenArticleSheet("A|1", "b:c", "d_e", "f!g"); },
         Address(PrixelArticleSheet, "A|1|b:c|d_e|f!g")},
        {[this] { m_prixel->OpenProductSheet("P|1", "", "c"); },
         Address(PrixelProductSheet, "P|1||c")},
        {[this] { m_prixel->OpenMakerSheet("M|1#"); }, Address(PrixelMakerSheet, "M|1#")}};
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
        EXPECT_EQ(m_web.navigations.back(), address);
    }
}

TEST_F(PrixelSheetTest, NothingIsShownOrKeptHoweverTheSheetEnds) {
    profile::WriteString(PrixelIniPath(), "PrixelCustomerKey", "CustomerNumber", "C1");
    const std::string ini = IniText();
    m_web.Serve("https://", "<HTML><BODY><PRE>C9:PC:autre.example:RW\r\n</PRE></BODY></HTML>");

    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    m_prixel->OpenArticleSheet("a", "b", "c", "d");
    User().PressEscape(IDD_PRIXEL_WEB);
    m_prixel->OpenMakerSheet("m");
    EXPECT_EQ(m_web.navigations.size(), 2u);

    // A sheet that never loads ends with its time-out.
    m_web.NeverAnswer("https://");
    m_prixel->OpenMakerSheet("m");
    EXPECT_GE(m_clock.NowMs(), PRIXEL_DEFAULT_TIMEOUT);

    EXPECT_TRUE(m_backend->MessageBoxes().empty());
    EXPECT_EQ(IniText(), ini);
}

TEST_F(PrixelSheetTest, ProductPageOpensInTheUsersBrowser) {
    RecordingOpener opener(m_dir);
    m_prixel->OpenVakoPrixelCom();
    EXPECT_EQ(opener.WaitForArgument(), PRIXEL_PRODUCT_PAGE);
    EXPECT_TRUE(m_web.navigations.empty());
}

}  // namespace
