#include <gtest/gtest.h>

#include "account/account_fixture.h"
#include "host/application.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "platform/ui/desktop.h"

namespace {

const char* const kQuestion =
    "L'utilisation de Vako Prixel est désactivée sur ce dossier.\n\nVoulez vous réactiver cette "
    "fonction ?";
const char* const kNoRight =
    "L'utilisation de Vako Prixel est désactivée sur ce dossier et vous n'avez pas les droits pour "
    "réactiver cette fonction.";

class FolderSwitchTest : public AccountTest {
  protected:
    void SetUp() override {
        AccountTest::SetUp();
        m_web.Serve(kService, AnswerPage("!C1:PC01:srv.example:R\r\n"));
        Folder().Execute("UPDATE RensGeneraux SET PrixelDesactive = 1");
        GetHostApp()->m_bPrixelDisabled = 1;
    }

    static CDaoDatabase& Folder() { return *GetDBManager()->GetMDBDao(mdDossier); }
    // The folder row's switch, or -1 when the company has no row.
    static int RowSwitch() {
        CRensGeSt folder(&Folder());
        folder.Open("SELECT * FROM RensGeneraux WHERE [CodeSociete] = 'SOC'");
        return folder.IsEOF() ? -1 : folder.m_nPrixelDesactive;
    }
    bool Recorded() const {
        return m_web.navigations.size() == 1 &&
               m_web.navigations[0].find("_EC1_") != std::string::npos;
    }
};

TEST_F(FolderSwitchTest, ServiceStaysAsItIsUnlessTheUserSwitchesItOn) {
    const struct {
        const char* name;
        int disabled;
        std::vector<std::string> rights;
        int answer;
        std::vector<std::string> messages;
    } cases[] = {
        {"service on", 0, {}, 1, {}},
        {"user answers No", 1, {"350:PARAM"}, 0, {kQuestion}},
        {"user without the parameter right", 1, {"350:MODIF"}, 0, {kNoRight}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t shown = Messages().size();
        GetHostApp()->m_bPrixelDisabled = c.disabled;
        GetHostApp()->m_Rights = c.rights;
        User().SetDefaultAnswer(IDNO);
        EXPECT_EQ(m_prixel->CheckPrixelActivate(), c.answer);
        const std::vector<std::string> all = Messages();
        EXPECT_EQ(std::vector<std::string>(all.begin() + shown, all.end()), c.messages);
        EXPECT_EQ(GetHostApp()->m_bPrixelDisabled, c.disabled);
        EXPECT_EQ(RowSwitch(), 1);
        EXPECT_TRUE(m_web.navigations.empty());
    }
}

TEST_F(FolderSwitchTest, YesSwitchesTheRowOnAndRecordsTheCustomer) {
    User().AnswerMessageBox(IDYES);
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    EXPECT_EQ(Messages(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(m_backend->MessageBoxes()[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(RowSwitch(), 0);
    EXPECT_TRUE(Recorded());
}

TEST_F(FolderSwitchTest, WithoutFolderRowTheServiceIsOnInMemoryOnly) {
    Folder().Execute("DELETE FROM RensGeneraux");
    User().AnswerMessageBox(IDYES);
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1], "Aucun enregistrement en cours.");
    EXPECT_EQ(GetHostApp()->m_bPrixelDisabled, 0);
    EXPECT_EQ(RowSwitch(), -1);
    EXPECT_TRUE(Recorded());
}

}  // namespace
