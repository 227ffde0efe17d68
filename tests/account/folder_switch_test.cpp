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
const char* const kNoRow = "Aucun enregistrement en cours.";

using FolderSwitchTest = AccountTest;

CDaoDatabase& Folder() {
    return *GetDBManager()->GetMDBDao(mdDossier);
}

// The folder row's switch, or -1 when the company has no row.
int RowSwitch() {
    CRensGeSt folder(&Folder());
    folder.Open("SELECT * FROM RensGeneraux WHERE [CodeSociete] = 'SOC'");
    return folder.IsEOF() ? -1 : folder.m_nPrixelDesactive;
}

TEST_F(FolderSwitchTest, OnlyAUserWithTheRightWhoAnswersYesSwitchesTheServiceOnAndRecords) {
    const struct {
        const char* name;
        int disabled;
        const char* right;
        int reply;
        int answer;
        std::vector<std::string> messages;
        int rowAfter;
    } cases[] = {
        {"service on", 0, "350:PARAM", IDYES, 1, {}, 1},
        {"user answers No", 1, "350:PARAM", IDNO, 0, {kQuestion}, 1},
        {"no parameter right", 1, "350:MODIF", IDYES, 0, {kNoRight}, 1},
        {"user answers Yes", 1, "350:PARAM", IDYES, 1, {kQuestion}, 0},
        // Switched on in memory only; the recording still runs.
        {"no folder row", 1, "350:PARAM", IDYES, 1, {kQuestion, kNoRow}, -1},
    };
    m_web.Serve(kService, AnswerPage("!C1:PC01:srv.example:R\r\n"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Folder().Execute(c.rowAfter < 0 ? "DELETE FROM RensGeneraux"
                                        : "UPDATE RensGeneraux SET PrixelDesactive = 1");
        GetHostApp()->m_bPrixelDisabled = c.disabled;
        GetHostApp()->m_Rights = {c.right};
        User().SetDefaultAnswer(c.reply);
        m_web.navigations.clear();
        const size_t shown = Messages().size();

        EXPECT_EQ(m_prixel->CheckPrixelActivate(), c.answer);
        const std::vector<std::string> all = Messages();
        EXPECT_EQ(std::vector<std::string>(all.begin() + shown, all.end()), c.messages);
        EXPECT_EQ(GetHostApp()->m_bPrixelDisabled, c.disabled && !c.answer);
        EXPECT_EQ(RowSwitch(), c.rowAfter);
        const bool recorded = c.disabled && c.answer;
        ASSERT_EQ(m_web.navigations.size(), recorded ? 1u : 0u);
        if (recorded) {
            EXPECT_NE(m_web.navigations[0].find("_EC1_"), std::string::npos);
        }
    }
    // The first box shown is the question the user answered No.
    EXPECT_EQ(m_backend->MessageBoxes()[0].type, MB_YESNO | MB_ICONQUESTION);
}

}  // namespace
