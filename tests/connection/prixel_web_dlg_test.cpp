#include "connection/prixel_web_dlg.h"

#include <gtest/gtest.h>

#include "connection/prixel_settings.h"
#include "connection/web_fixture.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"
#include "support/log_lines.h"

namespace {

const std::string kRequestPrefix = "https://srv.example/";
const std::string kRecuperationPrefix =
    "https://srv.example/awp/varneloawp.awp?COMMANDE=1:2_VarneloAWP_PAGERECUP___";
const std::string kAnswerPage =
    "<HTML><BODY><PRE>C1:PC:srv.example:R\r\nbody\r\n</PRE></BODY></HTML>";
// The update check's address as the diagnostic log gives it: the identity withheld.
const std::string kLoggedCheck =
    " ; adresse : "
    "https://srv.example/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_LT___*:SOC";

class PrixelWebDlgTest : public WebExchangeTest {
  protected:
    void SetUp() override {
        WebExchangeTest::SetUp();
        m_settings.SetFromHeader("C1:PC:srv.example:R");
    }

    int Run(PrixelRequestKind kind, const std::string& param = "") {
        CPrixelWebDlg dialog(kind, &m_settings, param, nullptr);
        const int result = dialog.DoModal();
        m_page = dialog.GetPageText();
        m_stamp = dialog.m_strStamp;
        return result;
    }

    std::vector<std::string> Log() const { return LogLines(m_dir.Folder()); }

    CPrixelSettings m_settings;
    std::string m_page;
    std::string m_stamp;
};

// Valider fetches the answer even before the catalogue's first page has completed. The browser is
// made silent as the dialog opens and again as each page completes.
TEST_F(PrixelWebDlgTest, CatalogueAnswerIsFetchedWithTheSameStampOnValider) {
    m_web.NeverAnswer(kRequestPrefix);
    m_web.Serve(kRecuperationPrefix, kAnswerPage);
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(Run(PrixelArticleCatalogue, "|||||vis"), IDOK);
    ASSERT_EQ(m_web.navigations.size(), 2u);
    EXPECT_NE(m_web.navigations[0].find("_RA_|||||vis_" + m_stamp + "_C1:PC"), std::string::npos);
    EXPECT_EQ(m_web.navigations[1], kRecuperationPrefix + m_stamp + "_C1:PC:srv.example:R:SOC");
    EXPECT_EQ(m_page, kAnswerPage);
    EXPECT_EQ(m_web.silentCalls, 2);
}

// Valider ends a page that is no catalogue as leaving it does.
TEST_F(PrixelWebDlgTest, LeavingEndsWithZeroOrCancel) {
    m_web.Serve(kRequestPrefix, "<HTML>sheet</HTML>");
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(Run(PrixelArticleSheet), 0);
    User().PressEscape(IDD_PRIXEL_WEB);
    EXPECT_EQ(Run(PrixelMakerSheet), IDCANCEL);
}

// Every way an exchange fails: how the dialog ends, how much of the page it keeps, and the log's
// line, which gives the address with the identity of who asks left out.
TEST_F(PrixelWebDlgTest, FailedExchangesEndAsTheyShouldAndAreLogged) {
    const std::string refused = "connexion refusée (curl 7 : Connection refused)";
    const std::string cut = "<HTML><BODY><PRE>C1:PC:srv.example:R\r\nA\r\n";
    const auto serve = [this](const std::string& prefix, std::optional<std::string> page) {
        return [this, prefix, page] { m_web.Serve(prefix, page); };
    };
    struct Failure {
        std::function<void()> serve;
        PrixelRequestKind kind;
        const char* param;
        int press;  // the button the user presses, or none
        int result;
        std::size_t kept;    // bytes of the page kept
        std::string logged;  // the log's new line, {stamp} for the exchange's; none
    };
    const Failure failures[] = {
        {serve(kRequestPrefix, std::string(PRIXEL_MAX_DOCUMENT - 1, 'x')), PrixelUpdateCheck, "", 0,
         IDOK, PRIXEL_MAX_DOCUMENT - 1, ""},
        {serve(kRequestPrefix, std::string(PRIXEL_MAX_DOCUMENT, 'x')), PrixelUpdateCheck, "", 0,
         PRIXEL_TOO_LARGE, 0,
         "Échange de type 5 en échec : page trop grande : 10000000 octets" + kLoggedCheck},
        {serve(kRequestPrefix, std::nullopt), PrixelUpdateCheck, "", 0, IDOK, 0,
         "Échange de type 5 en échec : aucun document à enregistrer" + kLoggedCheck},
        // The browser's error page completes the exchange as a page would.
        {[&] { m_web.ServeFailure(kRequestPrefix, text::FromUtf8(refused)); }, PrixelUpdateCheck,
         "", 0, IDOK, 19, "Échange de type 5 en échec : " + refused + kLoggedCheck},
        {[] {}, PrixelArticleSheet, "A|B|C|D", IDC_PRIXEL_QUITTER, 0, 0,
         "Échange de type 2 en échec : " + refused +
             " ; adresse : https://srv.example/Varneloawp?COMMANDE=1:2:7.50_AWPArticleDetail_"
             "PAGEAFFICHE_AA_A|B|C|D__*:SOC"},
        // The page's text ends at its first zero byte.
        {serve(kRequestPrefix, cut + std::string(1, '\0') + "B\r\n</PRE></BODY></HTML>"),
         PrixelUpdateCheck, "", 0, IDOK, cut.size(),
         "Page coupée à son premier octet nul, position 41 : 41 octets gardés sur 65" +
             kLoggedCheck},
        // The silent exchange's dialog, which waits, has no size.
        {[this] {
             m_web.NeverAnswer(kRequestPrefix);
             User().Do(IDD_PRIXEL_WEB, [this] {
                 const CRect shown = m_backend->FindDialog(IDD_PRIXEL_WEB)->rect;
                 EXPECT_EQ(CPoint(shown.Width(), shown.Height()), CPoint());
             });
         },
         PrixelCustomerRecording, "SOCIETE|ADRESSE|PC", 0, PRIXEL_NO_CONNECTION, 0,
         "Échange de type 8 en échec : délai dépassé, aucune page après 250 ms ; adresse : "
         "https://srv.example/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_EC1_*__*:SOC"},
        {[this] {
             m_web.Serve(kRequestPrefix, "<HTML>catalogue</HTML>");
             m_web.NeverAnswer(kRecuperationPrefix);
         },
         PrixelArticleCatalogue, "", IDC_PRIXEL_VALIDER, PRIXEL_NO_CONNECTION, 0,
         "Échange de type 0 en échec : délai dépassé, aucune page après 250 ms ; adresse : " +
             kRecuperationPrefix + "{stamp}_*:SOC"},
    };
    profile::WriteString(PrixelIniPath(), "PrixelCustomerKey", "NavigateTimeout", "250");
    std::vector<std::string> logged;
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.logged);
        failure.serve();
        if (failure.press != 0) User().Press(IDD_PRIXEL_WEB, failure.press);
        const std::int64_t start = m_clock.NowMs();
        EXPECT_EQ(Run(failure.kind, failure.param), failure.result);
        EXPECT_GE(m_clock.NowMs() - start,
                  failure.result == PRIXEL_NO_CONNECTION ? GetNavigateTimeout() : 0);
        EXPECT_EQ(m_page.size(), failure.kept);
        if (!failure.logged.empty())
            logged.push_back(text::Replace(failure.logged, "{stamp}", m_stamp));
        EXPECT_EQ(Log(), logged);
    }
}

}  // namespace
