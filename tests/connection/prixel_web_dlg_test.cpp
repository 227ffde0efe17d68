#include "connection/prixel_web_dlg.h"

#include <gtest/gtest.h>

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "connection/web_fixture.h"
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

TEST_F(PrixelWebDlgTest, SilentKindSavesThePageThatLoadsInAnInvisibleDialog) {
    m_web.Serve(kRequestPrefix, kAnswerPage);
    User().Do(IDD_PRIXEL_WEB, [this] {
        const ui::WindowModel* dialog = m_backend->FindDialog(IDD_PRIXEL_WEB);
        EXPECT_EQ(dialog->rect.Width(), 0);
        EXPECT_EQ(dialog->rect.Height(), 0);
    });
    EXPECT_EQ(Run(PrixelUpdateCheck), IDOK);
    ASSERT_EQ(m_web.navigations.size(), 1u);
    EXPECT_EQ(m_web.navigations[0],
              "https://srv.example/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_LT___"
              "C1:PC:srv.example:R:SOC");
    EXPECT_EQ(m_page, kAnswerPage);
    EXPECT_EQ(CPrixelAnswer(m_page).GetHeaderLine(), "C1:PC:srv.example:R");
    EXPECT_GE(m_web.silentCalls, 2);
    EXPECT_TRUE(Log().empty());
}

// Valider fetches the answer even before the catalogue's first page has completed.
TEST_F(PrixelWebDlgTest, CatalogueAnswerIsFetchedWithTheSameStampOnValider) {
    for (const bool pageCompletes : {true, false}) {
        m_web.navigations.clear();
        if (pageCompletes) {
            m_web.Serve(kRequestPrefix, "<HTML><BODY>catalogue</BODY></HTML>");
        } else {
            m_web.NeverAnswer(kRequestPrefix);
        }
        m_web.Serve(kRecuperationPrefix, kAnswerPage);
        User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
        EXPECT_EQ(Run(PrixelArticleCatalogue, "|||||vis"), IDOK);
        ASSERT_EQ(m_web.navigations.size(), 2u);
        EXPECT_NE(m_web.navigations[0].find("_RA_|||||vis_" + m_stamp + "_C1:PC"),
                  std::string::npos);
        EXPECT_EQ(m_web.navigations[1], kRecuperationPrefix + m_stamp + "_C1:PC:srv.example:R:SOC");
        EXPECT_EQ(m_page, kAnswerPage);
    }
}

TEST_F(PrixelWebDlgTest, LeavingEndsWithZeroAndKeepsNothing) {
    m_web.Serve(kRequestPrefix, "<HTML>sheet</HTML>");
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
    EXPECT_EQ(Run(PrixelArticleCatalogue), 0);
    EXPECT_EQ(m_page, "");

    for (PrixelRequestKind kind :
         {PrixelArticleSheet, PrixelProductSheet, PrixelMakerSheet, PrixelAccountCreation}) {
        User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
        EXPECT_EQ(Run(kind), 0) << kind;
    }
    User().PressEscape(IDD_PRIXEL_WEB);
    EXPECT_EQ(Run(PrixelMakerSheet), IDCANCEL);
}

TEST_F(PrixelWebDlgTest, PageThatNeverCompletesTimesOut) {
    m_web.NeverAnswer(kRequestPrefix);
    const std::int64_t start = m_clock.NowMs();
    EXPECT_EQ(Run(PrixelUpdateCheck), PRIXEL_NO_CONNECTION);
    EXPECT_GE(m_clock.NowMs() - start, 10000);

    SetTimeout("250");
    EXPECT_EQ(Run(PrixelTariffQuery), PRIXEL_NO_CONNECTION);

    SetTimeout("0");
    EXPECT_EQ(Run(PrixelCustomerRecording, "SOCIETE|ADRESSE|PC"), PRIXEL_NO_CONNECTION);
    m_web.Serve(kRequestPrefix, "<HTML>catalogue</HTML>");
    m_web.NeverAnswer(kRecuperationPrefix);
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(Run(PrixelArticleCatalogue), PRIXEL_NO_CONNECTION);
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "Échange de type 5 en échec : délai dépassé, aucune page après 10000 ms" +
                             kLoggedCheck,
                         "Échange de type 6 en échec : délai dépassé, aucune page après 250 ms ; "
                         "adresse : https://srv.example/awp/Varneloawp.awp?COMMANDE=1:2:7.50_"
                         "Varneloawp_PAGE_NP___*:SOC",
                         "Échange de type 8 en échec : délai dépassé, aucune page après 0 ms ; "
                         "adresse : https://srv.example/awp/Varneloawp.awp?COMMANDE=1:2:7.50_"
                         "Varneloawp_PAGE_EC1_*__*:SOC",
                         "Échange de type 0 en échec : délai dépassé, aucune page après 0 ms ; "
                         "adresse : " +
                             kRecuperationPrefix + m_stamp + "_*:SOC"}));
}

TEST_F(PrixelWebDlgTest, DocumentsOfTenMillionBytesOrMoreAreRefusedAndNoDocumentIsAnEmptyAnswer) {
    m_web.Serve(kRequestPrefix, std::string(PRIXEL_MAX_DOCUMENT - 1, 'x'));
    EXPECT_EQ(Run(PrixelUpdateCheck), IDOK);
    EXPECT_EQ(m_page.size(), PRIXEL_MAX_DOCUMENT - 1);

    m_web.Serve(kRequestPrefix, std::string(PRIXEL_MAX_DOCUMENT, 'x'));
    EXPECT_EQ(Run(PrixelUpdateCheck), PRIXEL_TOO_LARGE);
    EXPECT_EQ(m_page, "");

    m_web.ServeNothingToSave(kRequestPrefix);
    EXPECT_EQ(Run(PrixelUpdateCheck), IDOK);
    EXPECT_TRUE(CPrixelAnswer(m_page).IsEmpty());
    EXPECT_EQ(Log(),
              (std::vector<std::string>{
                  "Échange de type 5 en échec : page trop grande : 10000000 octets" + kLoggedCheck,
                  "Échange de type 5 en échec : aucun document à enregistrer" + kLoggedCheck}));
}

// The browser's error page completes the exchange as a page would; the log alone tells why, and
// of which address, the identity of who asks left out.
TEST_F(PrixelWebDlgTest, BrowserFailureIsLoggedWithTheAddressWithoutTheIdentity) {
    const std::string refused = "connexion refusée (curl 7 : Connection refused)";
    m_web.ServeFailure(kRequestPrefix, text::FromUtf8(refused));
    EXPECT_EQ(Run(PrixelUpdateCheck), IDOK);
    EXPECT_TRUE(CPrixelAnswer(m_page).IsEmpty());
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
    EXPECT_EQ(Run(PrixelArticleSheet, "A|B|C|D"), 0);

    m_web.Serve(kRequestPrefix, "<HTML>catalogue</HTML>");
    m_web.ServeFailure(kRecuperationPrefix, "statut HTTP 500");
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(Run(PrixelArticleCatalogue), IDOK);
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "Échange de type 5 en échec : " + refused + kLoggedCheck,
                         "Échange de type 2 en échec : " + refused +
                             " ; adresse : https://srv.example/Varneloawp?COMMANDE=1:2:7.50_"
                             "AWPArticleDetail_PAGEAFFICHE_AA_A|B|C|D__*:SOC",
                         "Échange de type 0 en échec : statut HTTP 500 ; adresse : " +
                             kRecuperationPrefix + m_stamp + "_*:SOC"}));
}

// The page's text ends at its first zero byte, as the exchange takes it; the cut is logged.
TEST_F(PrixelWebDlgTest, PageCutAtAZeroByteIsLoggedWithWhereAndHowMuchWasKept) {
    const std::string page = "<HTML><BODY><PRE>C1:PC:srv.example:R\r\nA\r\n";
    m_web.Serve(kRequestPrefix, page + std::string(1, '\0') + "B\r\n</PRE></BODY></HTML>");
    EXPECT_EQ(Run(PrixelUpdateCheck), IDOK);
    EXPECT_EQ(m_page, page);
    EXPECT_EQ(Log(), std::vector<std::string>{
                         "Page coupée à son premier octet nul, position 41 : 41 octets gardés "
                         "sur 65" +
                         kLoggedCheck});
}

}  // namespace
