#include <gtest/gtest.h>

#include "connection/prixel_settings.h"
#include "connection/web_fixture.h"
#include "host/application.h"
#include "host/company.h"
#include "host/paths.h"
#include "module/prixel_ctrl.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

const std::string kService = "https://srv.example/";
const std::string kNoConnection = "Impossible de se connecter à Vako Prixel.\n";

std::string AnswerPage(const std::string& answer) {
    return "<HTML><BODY><PRE>" + answer + "</PRE></BODY></HTML>";
}

class CustomerRecordingTest : public WebExchangeTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {"SOC", "srv.example"}, error)) << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
        WebExchangeTest::SetUp();
        m_prixel = std::make_unique<CPrixelCtrl>();
    }
    void TearDown() override {
        m_prixel.reset();
        WebExchangeTest::TearDown();
        host::CloseCompany();
    }

    std::string Stored(const char* key) {
        return profile::GetString(PrixelIniPath(), "PrixelCustomerKey", key, "<absent>");
    }
    // The parameter of the last request: what stands between the kind's code and the empty stamp.
    std::string SentParameter() {
        const std::string& address = m_web.navigations.back();
        const size_t start = address.find("_EC1_") + 5;
        return address.substr(start, address.find("__", start) - start);
    }
    CPrixelCtrl::PrixelRecordingState Record(const std::string& answer) {
        m_web.Serve(kService, AnswerPage(answer));
        m_prixel->CustomerRecording();
        return m_prixel->GetRecordingState();
    }

    std::unique_ptr<CPrixelCtrl> m_prixel;
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

    EXPECT_EQ(Record("!!1234:PC01:srv.example:\r\n"), CPrixelCtrl::PrixelRecordedWithoutRights);
    EXPECT_EQ(Stored("CustomerNumber"), "1234");
    EXPECT_EQ(Record("!5678:PC01:srv.example\r\n"), CPrixelCtrl::PrixelRecordedWithoutRights);
    EXPECT_EQ(Record("5678:PC01:srv.example:R\r\n"), CPrixelCtrl::PrixelNotRecorded);
    EXPECT_EQ(Record("\r\nbody\r\n"), CPrixelCtrl::PrixelNoAnswer);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CustomerRecordingTest, RecordingAsksWithoutTheOldCustomerNumberAndRights) {
    Record("!1234:PC01:srv.example:CATALOGUE\r\n");
    Record("!1234:PC01:srv.example:CATALOGUE\r\n");
    EXPECT_NE(m_web.navigations.back().find("__:PC01:srv.example::SOC"), std::string::npos)
        << m_web.navigations.back();
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
