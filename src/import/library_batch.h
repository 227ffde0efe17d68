#pragma once
// The service library held open for a long piece of writing. Every target, writer and family
// opens its own connection to Bib.mdb, and all of them share the one this object holds, in which
// what they write goes into one transaction at a time: the library is then neither opened again
// for each row nor written to disk once per row, and whatever was not committed when the work
// stops (a failure, a crash) is undone as a whole. Each transaction takes the write lock at once,
// waiting for another program's writing to end.

#include <string>

#include "platform/db/dao.h"

// The service library's database: its file, or its address on a database server.
std::string PrixelLibraryFile();

class CLibraryBatch {
  public:
    CLibraryBatch() = default;
    ~CLibraryBatch();
    CLibraryBatch(const CLibraryBatch&) = delete;
    CLibraryBatch& operator=(const CLibraryBatch&) = delete;

    // Opens the library and starts the first transaction. Throws CDaoException.
    void Begin();
    // Whether the writing can go on: no batch begun, or one that no failure (the disk full, ...)
    // undid.
    bool CanGoOn() const;
    // Stores what was written since the last commit and starts the next transaction. A failure
    // undoes what was not stored and throws its CDaoException; the library is then closed.
    void CommitAndGoOn();
    // Stores what was written since the last commit and closes the library; nothing when no
    // batch was begun. Throws CDaoException as CommitAndGoOn.
    void Commit();

  private:
    void Store();
    void Rollback();

    CDaoDatabase m_library;
};
