// The company folder's switch of the service: the host may switch the service off for a folder;
// a user holding the parameter right may switch it back on, which records the customer again.

#include "host/application.h"
#include "host/paths.h"
#include "host/recordsets.h"
#include "host/rights.h"
#include "import/dao_message.h"
#include "module/prixel_ctrl.h"
#include "platform/db/query.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"

namespace {

// Switches the service on in the folder's row of RensGeneraux. A failure is shown; the caller
// switches the service on in memory all the same.
void SwitchOnFolderRow() {
    CDaoDatabase database;
    CRensGeSt folder(&database);
    try {
        folder.Open(db::FormatQuery("SELECT * FROM RensGeneraux WHERE [CodeSociete] = '%s'",
                                    CParPath::sFirmDefaut));
        folder.Edit();
        folder.m_nPrixelDesactive = 0;
        folder.Update();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
}

}  // namespace

int CPrixelCtrl::CheckPrixelActivate() {
    CHostApp* app = GetHostApp();
    if (app == nullptr || app->m_bPrixelDisabled == 0) return 1;
    if (CMdaInterface::HasAcces(350, "PARAM", app->m_pMainWnd, 0) == 0) {
        AfxMessageBox(Fr(TXT_SWITCH_NO_RIGHT), MB_OK);
        return 0;
    }
    if (AfxMessageBox(Fr(TXT_SWITCH_QUESTION), MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
    SwitchOnFolderRow();
    app->m_bPrixelDisabled = 0;
    CustomerRecording();
    return 1;
}
