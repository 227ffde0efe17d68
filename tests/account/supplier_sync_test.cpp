#include <gtest/gtest.h>

#include <map>

#include "account/account_fixture.h"
#include "host/application.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

const char* const kDone = "La synchronisation des fournisseurs est terminée.";
const std::string kBatchAddress = std::string("https://srv.example/awp/Varneloawp.awp") +
                                  "?COMMANDE=1:2:7.50_Varneloawp_PAGE_EF_";

class SupplierSyncTest : public AccountTest {
  protected:
    void SetUp() override {
        AccountTest::SetUp();
        // The facade learns the service's address by recording the customer, as the host does.
        m_web.Serve(kService, AnswerPage("!C1:PC01:srv.example:R\r\n"));
        m_prixel->CustomerRecording();
        m_web.navigations.clear();
        m_web.Serve(kService, AnswerPage("!C9:PC01:srv.example:R\r\n"));
    }

    // A contact of family with the given columns (UTF-8), the others empty.
    void AddContact(const std::map<std::string, std::string>& columns,
                    const std::string& family = "FOUR") {
        RContactSet contacts(GetDBManager()->GetMDBDao(mdContacts));
        contacts.Open();
        contacts.AddNew();
        contacts.m_strCFamille = family;
        for (const auto& [column, value] : columns)
            *contacts.FindText(column) = text::FromUtf8(value);
        contacts.Update();
    }
    // Suppliers whose lines are 250 characters long: a name of 240 characters and nine empty
    // values, each name starting with its number on two digits.
    void AddLongSuppliers(int count) {
        for (int i = 1; i <= count; ++i)
            AddContact({{"Nom", text::Format("%02d", i) + std::string(238, 'n')}});
    }
    std::vector<std::string> SentParameters() const {
        std::vector<std::string> parameters;
        for (const std::string& address : m_web.navigations)
            parameters.push_back(ParameterOf(address, "EF"));
        return parameters;
    }
    std::string ToasterShown() const {
        const ui::WindowModel* text = m_backend->FindControl(IDD_PRIXEL_TOASTER, IDC_TOASTER_TEXT);
        return text ? text::ToUtf8(text->text) : "<none>";
    }
};

TEST_F(SupplierSyncTest, WithoutSupplierNothingIsSentAndTheEndIsToasted) {
    AddContact({{"Nom", "Client Martin"}}, "CLI");
    m_prixel->SynchronizeProvider();
    EXPECT_TRUE(m_web.navigations.empty());
    EXPECT_EQ(ToasterShown(), kDone);
}

TEST_F(SupplierSyncTest, OneSupplierSendsItsTenValuesBlankedOfTheSeparators) {
    std::map<std::string, std::string> columns;
    const char* names[] = {"Code",       "Nom",   "Civilite",  "Adresse",       "Batiment", "Pays",
                           "CodePostal", "Ville", "Telephone", "Telecopie",     "Portable", "EMail",
                           "SiteWeb",    "Siret", "CodeAPE",   "Interlocuteur", "NumClient"};
    for (int i = 0; i < 17; ++i) columns[names[i]] = "v" + std::to_string(i + 1);
    columns["Nom"] = "Négoce|Bois!Sud:Est_&Co#1%";
    columns["Ville"] = "";
    AddContact(columns);

    m_prixel->SynchronizeProvider();
    ASSERT_EQ(SentParameters().size(), 1u);
    EXPECT_EQ(text::ToUtf8(SentParameters()[0]),
              "Négoce Bois Sud Est  Co 1 |v4|v7||v9|v10|v12|v14|v15|v17");
    EXPECT_EQ(Stored("CustomerNumber"), "C9");
    EXPECT_EQ(ToasterShown(), kDone);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SupplierSyncTest, BatchIsSentOnceItReachesAThousandCharacters) {
    AddLongSuppliers(6);
    m_prixel->SynchronizeProvider();

    const std::vector<std::string> sent = SentParameters();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].size(), 999u);
    EXPECT_EQ(text::Split(sent[0], '!').size(), 4u);
    EXPECT_EQ(sent[1].substr(0, 2), "05");
    EXPECT_EQ(text::Split(sent[1], '!').size(), 2u);
    EXPECT_EQ(sent[1].back(), '|');
}

TEST_F(SupplierSyncTest, BatchThatFailsIsDroppedSilentlyAndTheWalkGoesOn) {
    AddLongSuppliers(12);
    m_web.NeverAnswer(kBatchAddress + "05");
    m_prixel->SynchronizeProvider();

    const std::vector<std::string> sent = SentParameters();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2].substr(0, 2), "09");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ToasterShown(), kDone);
}

TEST_F(SupplierSyncTest, UnreadableContactsAreToldAndEndTheWalkWithoutToaster) {
    AddLongSuppliers(1);
    GetDBManager()->GetMDBDao(mdContacts)->Execute("DROP TABLE Contacts");
    m_prixel->SynchronizeProvider();
    EXPECT_TRUE(m_web.navigations.empty());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("Contacts"), std::string::npos) << Messages()[0];
    EXPECT_EQ(ToasterShown(), "<none>");
}

TEST_F(SupplierSyncTest, UserWithoutTheRightSendsNothing) {
    AddLongSuppliers(1);
    GetHostApp()->m_Rights.clear();
    m_prixel->SynchronizeProvider();
    EXPECT_TRUE(m_web.navigations.empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ToasterShown(), "<none>");
}

}  // namespace
