#include <gtest/gtest.h>

#include "account/account_fixture.h"
#include "host/application.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

class CustomerRecordingTest : public AccountTest {
  protected:
    // The parameter of the last request.
    std::string SentParameter() { return ParameterOf(m_web.navigations.back(), "EC1"); }
    CPrixelCtrl::PrixelRecordingState Record(const std::string& answer) {
        m_web.Serve(kService, AnswerPage(answer));
        m_prixel->CustomerRecording();
        return m_prixel->GetRecordingState();
    }
};

TEST_F(CustomerRecordingTest, RegistrationTextCarriesSeventeenValuesWithSeparatorsBlanked) {
    CVakoProtection& id = GetHostApp()->m_Protection;
    id.m_strCompanyName = text::FromUtf8("Bâti|Sud_Est");
    id.m_strAddress2.clear();
    id.m_nWorkstations = 3;
    id.m_nMode = 1;
    id.m_nOption = 0;
    Record("!C1:PC:srv.example:R\r\n");

    const std::vector<std::string> values = text::Split(SentParameter(), '|');
    ASSERT_EQ(values.size(), 17u);
    EXPECT_EQ(text::ToUtf8(values[1]), "Bâti Sud Est");
    EXPECT_EQ(values[3], "");
    EXPECT_EQ(values[8], "");
    EXPECT_EQ(values[11], "-1");
    EXPECT_EQ(values[12], "3");
    EXPECT_EQ(values[16], "0");
}

TEST_F(CustomerRecordingTest, HeaderLineSetsTheStateAndTheStoredIdentity) {
    EXPECT_EQ(Record("!1234:PC01:srv.example:CATALOGUE\r\n"), CPrixelCtrl::PrixelRecorded);
    EXPECT_EQ(Stored("CustomerNumber"), "1234");
    EXPECT_EQ(Stored("ServerAddr"), "srv.example");
    EXPECT_EQ(Stored("RightsString"), "CATALOGUE");

    // Asked again without the customer number and the rights it holds.
    EXPECT_EQ(Record("!!1234:PC01:srv.example:\r\n"), CPrixelCtrl::PrixelRecordedWithoutRights);
    EXPECT_NE(m_web.navigations.back().find("__:PC01:srv.example::SOC"), std::string::npos)
        << m_web.navigations.back();
    EXPECT_EQ(Stored("CustomerNumber"), "1234");
    EXPECT_EQ(Record("!5678:PC01:srv.example\r\n"), CPrixelCtrl::PrixelRecordedWithoutRights);
    EXPECT_EQ(Record("5678:PC01:srv.example:R\r\n"), CPrixelCtrl::PrixelNotRecorded);
    EXPECT_EQ(Record("\r\nbody\r\n"), CPrixelCtrl::PrixelNoAnswer);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CustomerRecordingTest, FailedExchangesLeaveTheStateAndTellTheUser) {
    Record("!1234:PC01:srv.example:CATALOGUE\r\n");

    m_web.Serve(kService, "<HTML>an error page, no answer</HTML>");
    m_prixel->CustomerRecording();
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelRecorded);
    EXPECT_TRUE(Messages().empty());

    m_web.NeverAnswer(kService);
    m_prixel->CustomerRecording();
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelRecorded);
    EXPECT_EQ(Messages(), std::vector<std::string>{kNoConnection});
    EXPECT_EQ(Stored("CustomerNumber"), "1234");

    m_web.Serve(kService, AnswerPage(std::string(10000000, 'x')));
    m_prixel->CustomerRecording();
    EXPECT_EQ(Messages().back(), "Opération impossible, dépassement de mémoire.\n");
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelRecorded);
}

TEST_F(CustomerRecordingTest, AccountCreationRecordsUnlessTheServiceIsUnreachable) {
    m_web.NeverAnswer(kService);
    m_prixel->CreateAccount();
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelNoAnswer);
    EXPECT_EQ(Messages(), std::vector<std::string>{kNoConnection});

    m_web.Serve(kService, "<HTML>account form</HTML>");
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
    m_prixel->CreateAccount();
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelRecorded);
    EXPECT_NE(m_web.navigations.back().find("_AWPArticle_PAGEAFFICHE_RA___"), std::string::npos);
}

}  // namespace
