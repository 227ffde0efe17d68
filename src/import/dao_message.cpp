#include "import/dao_message.h"

#include "platform/db/dao.h"
#include "platform/ui/desktop.h"

void ShowDaoError(const CDaoException& e) {
    // A statement refused after a failure undid its transaction: that failure was told.
    if (e.m_lErrorCode == dao::kTransactionLost) return;
    AfxMessageBox(e.m_strDescription, MB_OK);
}

bool OpenShowingErrors(CDaoRecordset& recordset, const std::string& sql) {
    try {
        if (recordset.IsOpen()) recordset.Close();
        recordset.Open(sql);
        return true;
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return false;
    }
}
