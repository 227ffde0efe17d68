#include <gtest/gtest.h>

#include "account/account_fixture.h"
#include "host/application.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "platform/db/dao.h"
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
        return !m_web.navigations.empty() &&
               m_web.navigations.back().find("_EC1_") != std::string::npos;
    }
};

TEST_F(FolderSwitchTest, ServiceOnAnswersAtOnce) {
    GetHostApp()->m_bPrixelDisabled = 0;
    GetHostApp()->m_Rights.clear();
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(m_web.navigations.empty());
}

TEST_F(FolderSwitchTest, YesSwitchesTheRowOnAndRecordsTheCustomer) {
    User().AnswerMessageBox(IDYES);
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    ASSERT_EQ(m_backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(Messages()[0], kQuestion);
    EXPECT_EQ(m_backend->MessageBoxes()[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(RowSwitch(), 0);
    EXPECT_EQ(GetHostApp()->m_bPrixelDisabled, 0);
    EXPECT_TRUE(Recorded());
    EXPECT_EQ(m_prixel->GetRecordingState(), CPrixelCtrl::PrixelRecorded);

    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(m_web.navigations.size(), 1u);
}

TEST_F(FolderSwitchTest, RefusalsLeaveTheServiceOff) {
    struct Case {
        const char* name;
        bool withRight;
        const char* message;
    };
    const Case cases[] = {
        {"the user answers No", true, kQuestion},
        {"the user lacks the parameter right", false, kNoRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t shown = Messages().size();
        GetHostApp()->m_Rights = {"350:MODIF"};
        if (c.withRight) GetHostApp()->m_Rights.push_back("350:PARAM");
        User().SetDefaultAnswer(IDNO);
        EXPECT_EQ(m_prixel->CheckPrixelActivate(), 0);
        ASSERT_EQ(Messages().size(), shown + 1);
        EXPECT_EQ(Messages().back(), c.message);
        EXPECT_EQ(RowSwitch(), 1);
        EXPECT_EQ(GetHostApp()->m_bPrixelDisabled, 1);
        EXPECT_TRUE(m_web.navigations.empty());
    }
}

TEST_F(FolderSwitchTest, WithoutFolderRowTheServiceIsOnInMemoryOnly) {
    Folder().Execute("DELETE FROM RensGeneraux");
    User().AnswerMessageBox(IDYES);
    EXPECT_EQ(m_prixel->CheckPrixelActivate(), 1);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_FALSE(Messages()[1].empty());
    EXPECT_EQ(GetHostApp()->m_bPrixelDisabled, 0);
    EXPECT_EQ(RowSwitch(), -1);
    EXPECT_TRUE(Recorded());
}

}  // namespace
