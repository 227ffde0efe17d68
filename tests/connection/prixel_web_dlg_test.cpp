#include "connection/prixel_web_dlg.h"

#include <gtest/gtest.h>

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "connection/web_fixture.h"
#include "resources/prixel_resources.h"

namespace {

const std::string kRequestPrefix = "https://srv.example/";
const std::string kRecuperationPrefix =
    "https://srv.example/awp/varneloawp.awp?COMMANDE=1:2_VarneloAWP_PAGERECUP___";
const std::string kAnswerPage =
    "<HTML><BODY><PRE>C1:PC:srv.example:R\r\nbody\r\n</PRE></BODY></HTML>";

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
}

TEST_F(PrixelWebDlgTest, CatalogueAnswerIsFetchedWithTheSameStampOnValider) {
    m_web.Serve(kRequestPrefix, "<HTML><BODY>catalogue</BODY></HTML>");
    m_web.Serve(kRecuperationPrefix, kAnswerPage);
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(Run(PrixelArticleCatalogue, "|||||vis"), IDOK);
    ASSERT_EQ(m_web.navigations.size(), 2u);
    EXPECT_NE(m_web.navigations[0].find("_RA_|||||vis_" + m_stamp + "_C1:PC"), std::string::npos);
    EXPECT_EQ(m_web.navigations[1], kRecuperationPrefix + m_stamp + "_C1:PC:srv.example:R:SOC");
    EXPECT_EQ(m_page, kAnswerPage);
}

TEST_F(PrixelWebDlgTest, ValiderBeforeTheFirstPageCompletedFetchesTheAnswer) {
    m_web.NeverAnswer(kRequestPrefix);
    m_web.Serve(kRecuperationPrefix, kAnswerPage);
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(Run(PrixelArticleCatalogue), IDOK);
    EXPECT_EQ(m_page, kAnswerPage);
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
    EXPECT_EQ(Run(PrixelCustomerRecording), PRIXEL_NO_CONNECTION);
}

TEST_F(PrixelWebDlgTest, RecuperationPageThatNeverCompletesTimesOut) {
    m_web.Serve(kRequestPrefix, "<HTML>catalogue</HTML>");
    m_web.NeverAnswer(kRecuperationPrefix);
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(Run(PrixelArticleCatalogue), PRIXEL_NO_CONNECTION);
}

TEST_F(PrixelWebDlgTest, DocumentsOfTenMillionBytesOrMoreAreRefused) {
    m_web.Serve(kRequestPrefix, std::string(PRIXEL_MAX_DOCUMENT - 1, 'x'));
    EXPECT_EQ(Run(PrixelUpdateCheck), IDOK);
    EXPECT_EQ(m_page.size(), PRIXEL_MAX_DOCUMENT - 1);

    m_web.Serve(kRequestPrefix, std::string(PRIXEL_MAX_DOCUMENT, 'x'));
    EXPECT_EQ(Run(PrixelUpdateCheck), PRIXEL_TOO_LARGE);
    EXPECT_EQ(m_page, "");
}

TEST_F(PrixelWebDlgTest, NoDocumentToSaveGivesAnEmptyAnswer) {
    m_web.ServeNothingToSave(kRequestPrefix);
    EXPECT_EQ(Run(PrixelUpdateCheck), IDOK);
    EXPECT_TRUE(CPrixelAnswer(m_page).IsEmpty());
}

}  // namespace
