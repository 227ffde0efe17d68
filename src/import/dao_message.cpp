#include "import/dao_message.h"

#include <cstdint>

#include "host/paths.h"
#include "platform/db/dao.h"
#include "platform/diagnostic_log.h"
#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"

void ShowDaoError(const CDaoException& e) {
    // A statement refused after a failure undid its transaction: that failure was told.
    if (e.m_lErrorCode == dao::kTransactionLost) return;
    LogDaoError(e);
    AfxMessageBox(e.m_strDescription, MB_OK);
}

void LogDaoError(const CDaoException& e) {
    diag::Write(CParPath::sCurrentPath, text::Format(Fr(TXT_LOG_DATABASE_ERROR).c_str(),
                                                     e.m_lErrorCode, e.m_strDescription.c_str()));
}

bool IsDuplicateKey(const CDaoException& e) {
    constexpr std::uint32_t kErrorCodeBits = 0x800A0000u;
    return (static_cast<std::uint32_t>(e.m_lErrorCode) | kErrorCodeBits) ==
           (static_cast<std::uint32_t>(dao::kDuplicateKey) | kErrorCodeBits);
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
