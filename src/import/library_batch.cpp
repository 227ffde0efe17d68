#include "import/library_batch.h"

#include "host/databases.h"

std::string PrixelLibraryFile() {
    return GetBibManager()->GetPrixelBib()->GetBase();
}

// A batch left open (an exception on its way to the caller) is undone.
CLibraryBatch::~CLibraryBatch() {
    if (m_library.IsOpen()) Rollback();
}

void CLibraryBatch::Begin() {
    m_library.Open(PrixelLibraryFile());
    m_library.BeginTrans();
}

bool CLibraryBatch::CanGoOn() const {
    return !m_library.IsOpen() || !m_library.IsTransactionLost();
}

void CLibraryBatch::CommitAndGoOn() {
    Store();
    m_library.BeginTrans();
}

void CLibraryBatch::Commit() {
    if (!m_library.IsOpen()) return;
    Store();
    m_library.Close();
}

void CLibraryBatch::Store() {
    try {
        m_library.CommitTrans();
    } catch (const CDaoException&) {
        Rollback();
        throw;
    }
}

void CLibraryBatch::Rollback() {
    try {
        m_library.Rollback();
    } catch (const CDaoException&) {
        // The engine already undid the transaction.
    }
    m_library.Close();
}
