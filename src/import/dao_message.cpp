#include "import/dao_message.h"

#include "platform/db/dao.h"
#include "platform/ui/desktop.h"

void ShowDaoError(const CDaoException& e) {
    AfxMessageBox(e.m_strDescription, MB_OK);
}
