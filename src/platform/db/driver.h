#pragma once
// The driver port below the DAO-like classes. A driver opens connections to database files and
// runs statements written in the Jet dialect of the system's queries ("[Name]", "#mm/dd/yyyy#",
// TRUE/FALSE), which it translates to its own. Texts crossing the port are CP1252; a driver
// converts them to whatever its engine stores. Every failure is thrown as a CDaoException whose
// code follows the Jet numbering (3022 for a duplicate in a unique index) and whose description
// says, in French, what went wrong.

#include <memory>
#include <string>
#include <vector>

#include "platform/db/value.h"

class CDaoException;

namespace db {

class Statement {
  public:
    virtual ~Statement() = default;
    // Binds parameter index (1-based) of a statement written with '?' placeholders.
    virtual void Bind(int index, const Value& value) = 0;
    // Advances to the next row: true when there is one, false at the end.
    virtual bool Step() = 0;
    // Starts the statement again from its first row, keeping the bindings.
    virtual void Reset() = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string ColumnName(int column) const = 0;  // 0-based
    virtual Value Column(int column) const = 0;
};

class Connection {
  public:
    virtual ~Connection() = default;
    // A statement of the Jet dialect, ready to bind and step. Connections keep prepared
    // statements for reuse, so preparing the same text again is cheap.
    virtual std::unique_ptr<Statement> Prepare(const std::string& jetSql) = 0;
    // Runs one or more statements that return no rows.
    virtual void Execute(const std::string& jetSql) = 0;
    virtual std::int64_t LastInsertRowId() = 0;
    virtual std::int64_t Changes() = 0;  // rows changed by the last statement

    // Transactions. The outermost one takes the write lock at once, waiting for another
    // connection's lock as long as any statement does; the others nest in it. A failure that ends
    // the open transaction (the disk full, a read or write error of the file, memory exhausted)
    // undoes all that it wrote; the connection then refuses every statement (code 3034) until the
    // transaction is rolled back, so that nothing is written outside it.
    virtual void BeginTransaction() = 0;
    virtual void CommitTransaction() = 0;
    virtual void RollbackTransaction() = 0;
    // Whether a failure ended the open transaction.
    virtual bool IsTransactionLost() const = 0;
};

class Driver {
  public:
    virtual ~Driver() = default;
    // A connection to the database file at path. Opening the same file again while a connection
    // to it is alive gives that same connection, so that many objects opening one file cost one
    // open file. A file that does not exist is not created: that is a failure (code 3024).
    virtual std::shared_ptr<Connection> Open(const std::string& path, bool readOnly) = 0;
    // Creates an empty database file (WAL journal) and answers a connection to it.
    virtual std::shared_ptr<Connection> Create(const std::string& path) = 0;
    // How long a statement waits for another connection's lock before it fails (code 3260), for
    // the connections open and those opened later.
    virtual void SetLockWait(int milliseconds) = 0;
};

// The failures every driver reports alike: a commit or a rollback without a transaction, and a
// statement refused after a failure ended the transaction (code 3034).
CDaoException NoTransaction();
CDaoException LostTransaction();

// The driver every CDaoDatabase opens through, as the composition put it in place. Without one,
// every open fails (code 3024).
Driver& CurrentDriver();
// Puts driver in place of the current one (null: none). Answers the previous one.
std::shared_ptr<Driver> ReplaceDriver(std::shared_ptr<Driver> driver);

}  // namespace db
