#include <gtest/gtest.h>

#include "account/account_fixture.h"
#include "host/application.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

const char* const kDone = "La synchronisation des fournisseurs est terminée.";

class SupplierSyncTest : public AccountTest {
  protected:
    void SetUp() override {
        AccountTest::SetUp();
        // The facade learns the service's address by recording the customer, as the host does.
        m_web.Serve(kService, AnswerPage("!C1:PC01:srv.example:R\r\n"));
        m_prixel->CustomerRecording();
        m_web.navigations.clear();
    }

    static void AddContact(const std::string& name, const std::string& family = "FOUR") {
        RContactSet contacts(GetDBManager()->GetMDBDao(mdContacts));
        contacts.Open();
        contacts.AddNew();
        contacts.m_strCFamille = family;
        contacts.m_strNom = name;
        contacts.Update();
    }
    std::string ToasterShown() const {
        const ui::WindowModel* text = m_backend->FindControl(IDD_PRIXEL_TOASTER, IDC_TOASTER_TEXT);
        return text ? text::ToUtf8(text->text) : "<none>";
    }
};

TEST_F(SupplierSyncTest, BatchThatFailsIsDroppedAndTheWalkGoesOn) {
    // Lines of 250 characters: a name of 240 led by the supplier's number, nine empty values.
    for (int i = 1; i <= 10; ++i) AddContact(text::Format("%02d", i) + std::string(238, 'n'));
    m_web.NeverAnswer(std::string(kService) +
                      "awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_EF_05");
    m_prixel->SynchronizeProvider();

    ASSERT_EQ(m_web.navigations.size(), 3u);
    EXPECT_EQ(ParameterOf(m_web.navigations[0], "EF").size(), 4 * 250 - 1u);
    EXPECT_EQ(ParameterOf(m_web.navigations[2], "EF").substr(0, 2), "09");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ToasterShown(), kDone);
}

TEST_F(SupplierSyncTest, NothingIsSentWithoutSupplierRightOrReadableContacts) {
    const struct {
        const char* name;
        void (*arrange)();
        const char* toaster;
        const char* message;
    } cases[] = {
        {"only a client", [] { AddContact("Martin", "CLI"); }, kDone, nullptr},
        {"no right", [] { GetHostApp()->m_Rights.clear(); }, "<none>", nullptr},
        {"no table", [] { GetDBManager()->GetMDBDao(mdContacts)->Execute("DROP TABLE Contacts"); },
         "<none>", "Contacts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_prixel = std::make_unique<CPrixelCtrl>();
        GetHostApp()->m_Rights = {"350:MODIF"};
        c.arrange();
        m_prixel->SynchronizeProvider();
        EXPECT_TRUE(m_web.navigations.empty());
        EXPECT_EQ(ToasterShown(), c.toaster);
        ASSERT_EQ(Messages().size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_NE(Messages()[0].find(c.message), std::string::npos) << Messages()[0];
        }
    }
}

}  // namespace
