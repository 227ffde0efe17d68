// The facade's account operations on an open company "SOC" whose service is srv.example: customer
// recording and account creation, the folder switch, supplier synchronisation.

#include <gtest/gtest.h>

#include <functional>

#include "connection/prixel_settings.h"
#include "host/application.h"
#include "host/company.h"
#include "host/databases.h"
#include "module/module_fixture.h"
#include "platform/db/dao.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_resources.h"

namespace {

const std::string kService = "https://srv.example/";
const char* const kRecorded = "!C1:PC01:srv.example:R\r\n";
const char* const kNoConnection = "Impossible de se connecter à Vako Prixel.\n";

class AccountTest : public ModuleTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {"SOC", "srv.example", ""}, error))
            << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
        ModuleTest::SetUp();
    }
    void TearDown() override {
        ModuleTest::TearDown();
        host::CloseCompany();
    }

    static std::string Page(const std::string& answer) {
        return "<HTML><BODY><PRE>" + answer + "</PRE></BODY></HTML>";
    }
    CPrixelCtrl::PrixelRecordingState Record(const std::string& answer) {
        m_web.Serve(kService, Page(answer));
        m_prixel->CustomerRecording();
        return m_prixel->GetRecordingState();
    }
    std::string Stored(const char* key) {
        return profile::GetString(PrixelIniPath(), "PrixelCustomerKey", key, "<absent>");
    }
    // The parameter of a request of the kind whose code is given: what stands between the code
    // and the empty stamp.
    static std::string ParameterOf(const std::string& address, const std::string& code) {
        const size_t start = address.find("_" + code + "_") + code.size() + 2;
        return address.substr(start, address.find("__", start) - start);
    }
    static CDaoDatabase& Db(int database) { return *GetDBManager()->GetMDBDao(database); }
};

// The registration carries seventeen values, the request's separators blanked.
TEST_F(AccountTest, RecordingSendsTheRegistrationAndTheAnswerSetsTheStateAndTheStoredIdentity) {
    CVakoProtection& id = GetHostApp()->m_Protection;
    id.m_strCompanyName = text::FromUtf8("Bâti|Sud_Est");
    EXPECT_EQ(Record("!1234:PC01:srv.example:CATALOGUE\r\n"), CPrixelCtrl::PrixelRecorded);
    const std::vector<std::string> values =
        text::Split(ParameterOf(m_web.navigations.back(), "EC1"), '|');
    ASSERT_EQ(values.size(), 17u);
    EXPECT_EQ(text::ToUtf8(values[1]), "Bâti Sud Est");
    EXPECT_EQ(Stored("CustomerNumber"), "1234");
    EXPECT_EQ(Stored("RightsString"), "CATALOGUE");

    // Asked again without the customer number and the rights it holds.
    EXPECT_EQ(Record("!!1234:PC01:srv.example:\r\n"), CPrixelCtrl::PrixelRecordedWithoutRights);
    EXPECT_NE(m_web.navigations.back().find("__:PC01:srv.example::SOC"), std::string::npos)
        << m_web.navigations.back();
    EXPECT_EQ(Record("5678:PC01:srv.example:R\r\n"), CPrixelCtrl::PrixelNotRecorded);
    EXPECT_EQ(Record("\r\nbody\r\n"), CPrixelCtrl::PrixelNoAnswer);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AccountTest, FailedRecordingKeepsTheStateAndTheIdentityAndTellsTheUser) {
    Record("!1234:PC01:srv.example:CATALOGUE\r\n");
    const struct {
        const char* name;
        std::function<void()> serve;
        std::vector<std::string> messages;  // all those shown so far
    } cases[] = {
        {"page without answer", [&] { m_web.Serve(kService, "<HTML>error page</HTML>"); }, {}},
        {"unreachable", [&] { m_web.NeverAnswer(kService); }, {kNoConnection}},
        {"page too large",
         [&] { m_web.Serve(kService, Page(std::string(10000000, 'x'))); },
         {kNoConnection, "Opération impossible, dépassement de mémoire.\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.serve();
        m_prixel->CustomerRecording();
        EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelRecorded);
        EXPECT_EQ(Stored("CustomerNumber"), "1234");
        EXPECT_EQ(Messages(), c.messages);
    }
}

TEST_F(AccountTest, AccountCreationRecordsUnlessTheServiceIsUnreachable) {
    m_web.NeverAnswer(kService);
    m_prixel->CreateAccount();
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelNoAnswer);
    EXPECT_EQ(Messages(), std::vector<std::string>{kNoConnection});

    m_web.Serve(kService, "<HTML>account form</HTML>");
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
    m_prixel->CreateAccount();
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelRecorded);
}

// A service on needs nothing; switching it on needs the parameter right, and without a folder
// row it is switched on in memory only, and the recording still runs.
TEST_F(AccountTest, SwitchingOnNeedsTheParameterRightAndHoldsWithoutAFolderRow) {
    const std::string off = "L'utilisation de Vako Prixel est désactivée sur ce dossier";
    m_web.Serve(kService, Page(kRecorded));
    GetHostApp()->m_Rights = {"350:MODIF"};
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    GetHostApp()->m_bPrixelDisabled = 1;
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 0);
    EXPECT_TRUE(m_web.navigations.empty());

    Db(mdDossier).Execute("DELETE FROM RensGeneraux");
    GetHostApp()->m_Rights = {"350:PARAM"};
    User().SetDefaultAnswer(IDYES);
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              off + " et vous n'avez pas les droits pour réactiver cette fonction.",
                              off + ".\n\nVoulez vous réactiver cette fonction ?",
                              "Aucun enregistrement en cours."}));
    EXPECT_EQ(m_backend->MessageBoxes()[1].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(GetHostApp()->m_bPrixelDisabled, 0);
    ASSERT_EQ(m_web.navigations.size(), 1u);
    EXPECT_NE(m_web.navigations[0].find("_EC1_"), std::string::npos);
}

TEST_F(AccountTest, SupplierBatchThatFailsIsDroppedAndTheWalkGoesOn) {
    Record(kRecorded);  // the facade learns the service's address, as the host has it do
    m_web.navigations.clear();
    // Lines of 250 characters: a name of 240 led by the supplier's number, nine empty values.
    for (int i = 1; i <= 10; ++i) {
        Db(mdContacts)
            .Execute(text::Format("INSERT INTO Contacts (CFamille, Nom) VALUES "
                                  "('FOUR', '%02d%s')",
                                  i, std::string(238, 'n').c_str()));
    }
    m_web.NeverAnswer(kService + "awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_EF_05");
    m_prixel->SynchronizeProvider();

    ASSERT_EQ(m_web.navigations.size(), 3u);
    EXPECT_EQ(ParameterOf(m_web.navigations[2], "EF").substr(0, 2), "09");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ToasterText(), "La synchronisation des fournisseurs est terminée.");
}

TEST_F(AccountTest, NoSupplierIsSentWithoutSupplierRightOrReadableContacts) {
    GetHostApp()->m_Rights.clear();
    m_prixel->SynchronizeProvider();
    EXPECT_TRUE(Messages().empty());

    GetHostApp()->m_Rights = {"350:MODIF"};
    Db(mdContacts).Execute("DROP TABLE Contacts");
    m_prixel->SynchronizeProvider();
    EXPECT_TRUE(m_web.navigations.empty());
    EXPECT_EQ(ToasterText(), "");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("Contacts"), std::string::npos) << Messages()[0];
}

}  // namespace
