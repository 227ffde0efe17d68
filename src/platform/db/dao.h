#pragma once
// The DAO-like classes the system works its tables with: a database, a dynaset recordset whose
// derived classes bind their members to columns, and the exception every failure raises.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "platform/db/value.h"
#include "platform/oledate.h"

namespace db {
class Connection;
class Statement;
}  // namespace db

// Jet error numbers the system and its tests rely on.
namespace dao {
constexpr long kSyntaxError = 3075;        // a query the engine cannot read (a quote in a value)
constexpr long kDuplicateKey = 3022;       // a duplicate in a unique index
constexpr long kFileNotFound = 3024;       // no database file at that path
constexpr long kReadOnly = 3027;           // the database or the table is read-only
constexpr long kNotADatabase = 3343;       // the file is not a database, or it is damaged
constexpr long kLocked = 3260;             // another user holds a lock on what is asked
constexpr long kNoCurrentRecord = 3021;    // a move, edit or delete without a current row
constexpr long kUnknownName = 3078;        // a table or column the database does not hold
constexpr long kUpdateWithoutEdit = 3020;  // Update without AddNew or Edit
constexpr long kGeneralFailure = 3146;     // anything else the engine reported
constexpr long kDatabaseExists = 3204;     // creating a database over an existing file
constexpr long kObjectClosed = 3420;       // a database or recordset used while not open
constexpr long kDiskFull = 3026;           // no room left on the disk for the database
constexpr long kTransactionLost = 3034;    // a statement after a failure undid its transaction
constexpr long kConnectionFailed = 3151;   // the database server cannot be reached, or was lost
}  // namespace dao

class CDaoException : public std::runtime_error {
  public:
    CDaoException(long code, std::string description);
    long m_lErrorCode;
    std::string m_strDescription;  // French, CP1252
};

class CDaoDatabase {
  public:
    CDaoDatabase() = default;
    virtual ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // Opens the database file at path (shared, writable unless readOnly). Throws CDaoException.
    void Open(const std::string& path, bool exclusive = false, bool readOnly = false,
              const std::string& connect = "");
    bool IsOpen() const { return m_connection != nullptr; }
    void Close();
    // Runs an action query of the Jet dialect. Throws CDaoException.
    void Execute(const std::string& jetSql);
    // Transactions on the database's connection, which every object working on the same file
    // shares: what they write between BeginTrans and CommitTrans is stored at once, and Rollback
    // undoes it. Transactions nest; the outermost takes the write lock at once. Throw
    // CDaoException.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    // Whether a failure (the disk full, ...) ended the transaction in progress and undid what it
    // wrote: every statement is refused until Rollback.
    bool IsTransactionLost() const;
    const std::string& GetName() const { return m_path; }

    db::Connection& Connection() const;  // the open connection; throws when closed

  private:
    std::shared_ptr<db::Connection> m_connection;
    std::string m_path;
};

// A dynaset over the rows of one table. The current row's values are copied into the members
// that the derived class bound in its constructor (in place of field exchange); Update writes
// back the members that changed since AddNew or Edit. Moves read rows one at a time, so opening a
// recordset on a large table costs one row, not the table.
class CDaoRecordset {
  public:
    explicit CDaoRecordset(CDaoDatabase* database = nullptr);
    virtual ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    // Opens the rows of a "SELECT * FROM Table ..." query of the Jet dialect, or of a table name
    // alone; an empty sql opens GetDefaultSQL(). m_strFilter and m_strSort, when set, are added
    // as a WHERE condition and an ORDER BY. The recordset stands on the first row, or at the
    // end when there is none. Throws CDaoException.
    virtual void Open(const std::string& sql = "");
    // Opens the recordset for adding rows only, as DAO's dbAppendOnly does: the query is made
    // ready but no row is read, and the recordset stands at the end. Throws CDaoException.
    void OpenAppendOnly(const std::string& sql = "");
    bool IsOpen() const;
    void Close();

    bool IsBOF() const;
    bool IsEOF() const;
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    // Rows visited so far, as DAO counts them: after MoveLast, every row.
    long GetRecordCount() const;

    void AddNew();  // members take their empty values; Update inserts the row
    void Edit();    // Update rewrites the current row
    // Writes the members that changed since AddNew or Edit, and no other column. After an
    // insertion the members show the current row again. A failed Update leaves the addition or
    // the edit pending, so that it can be corrected and stored again.
    void Update();
    // Adds count rows, as many AddNew and Update would, in as few statements as possible: for each
    // row the members take their empty values, fill(row) sets them, and the row holds what Update
    // would write of it. Rows that write the same columns go into one statement, each statement
    // stored whole or not at all; a failure throws its CDaoException, the rows of the statements
    // before it staying stored. The members then show the current row again.
    void AddRows(int count, const std::function<void(int)>& fill);
    void CancelUpdate();  // drops the pending addition or edit; the members show the current row
    void Delete();        // deletes the current row; move away before using the members again
    // Moves to the first row of the recordset that meets the Jet criteria; false when none does,
    // the recordset then staying where it was.
    bool FindFirst(const std::string& criteria);

    // A column of the current row, bound or not (texts CP1252).
    db::Value GetFieldValue(const std::string& column) const;
    // Whether a bound member's column held NULL in the current row.
    bool IsFieldNull(const void* member) const;
    // Has Update write a bound member (every bound member for null) although its value did not
    // change since AddNew or Edit: a member set to its empty value (0, "") after AddNew is
    // otherwise left NULL in the new row.
    void SetFieldDirty(const void* member, bool dirty = true);

    CDaoDatabase* m_pDatabase;
    std::string m_strFilter;
    std::string m_strSort;

  protected:
    virtual std::string GetDefaultSQL() const { return {}; }

    // Binding of members to columns, in the derived class's constructor. BOOL fields bind a bool;
    // dates bind a COleDateTime; long binary fields bind bytes.
    void Bind(const std::string& column, short* member);
    void Bind(const std::string& column, int* member);
    void Bind(const std::string& column, double* member);
    void Bind(const std::string& column, bool* member);
    void Bind(const std::string& column, std::string* member);
    void Bind(const std::string& column, COleDateTime* member);
    void Bind(const std::string& column, db::Bytes* member);

  private:
    void OpenQuery(const std::string& sql, bool readRows);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
