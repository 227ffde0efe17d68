#pragma once
// A database driver for tests that makes database errors happen. It wraps a real driver and
// raises a chosen CDaoException for every statement whose Jet text contains a given piece, or for
// every open, before the real driver sees it; or it lets another program write just before a
// statement. It counts statements, steps and statements standing on a row. Put it in place for
// a scope with ScopedDriver:
//
//     auto faulty = std::make_shared<dbtest::FaultyDriver>();
//     dbtest::ScopedDriver scoped(faulty);
//     faulty->FailWhenContains("INSERT INTO Famille", dao::kDuplicateKey, "Doublon ...");

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "adapters/sqlite/sqlite_driver.h"
#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "platform/text.h"

namespace dbtest {

class FaultyDriver : public db::Driver {
  public:
    explicit FaultyDriver(std::shared_ptr<db::Driver> real = adapters::SqliteDriver::Shared())
        : m_real(std::move(real)), m_plan(std::make_shared<Plan>()) {}

    // Every statement whose Jet text contains piece fails, until Heal.
    void FailWhenContains(std::string piece, long code,
                          std::string description = DefaultDescription()) {
        m_plan->piece = std::move(piece);
        m_plan->matching = CDaoException(code, std::move(description));
    }
    // Runs action once, just before the first statement whose Jet text contains piece reaches
    // the real driver: another workstation writing between two of the system's statements.
    void BeforeFirst(std::string piece, std::function<void()> action) {
        m_plan->beforePiece = std::move(piece);
        m_plan->before = std::move(action);
    }
    // Every Open and Create fails, until Heal.
    void FailOpen(long code, std::string description = DefaultDescription()) {
        m_plan->open = CDaoException(code, std::move(description));
    }
    void Heal() {
        const int seen = m_plan->seen;
        *m_plan = Plan();
        m_plan->seen = seen;
    }
    // Statements prepared or executed through this driver so far.
    int Statements() const { return m_plan->seen; }
    // Rows read and writes made by the statements prepared through this driver so far.
    long Steps() const { return m_plan->steps; }
    // Statements that stand on a row: stepped to it and neither reset nor destroyed since.
    int InProgress() const { return m_plan->inProgress; }

    std::shared_ptr<db::Connection> Open(const std::string& path, bool readOnly) override {
        if (m_plan->open) throw *m_plan->open;
        return std::make_shared<Connection>(m_real->Open(path, readOnly), m_plan);
    }
    std::shared_ptr<db::Connection> Create(const std::string& path) override {
        if (m_plan->open) throw *m_plan->open;
        return std::make_shared<Connection>(m_real->Create(path), m_plan);
    }
    void SetLockWait(int milliseconds) override {
        m_plan->lockWait = milliseconds;
        m_real->SetLockWait(milliseconds);
    }
    int LockWait() const { return m_plan->lockWait; }

  private:
    static std::string DefaultDescription() {
        return text::FromUtf8("Erreur provoquée par le test.");
    }

    struct Plan {
        int seen = 0;
        long steps = 0;
        int inProgress = 0;
        int lockWait = 0;
        std::string piece;
        std::optional<CDaoException> matching;
        std::optional<CDaoException> open;
        std::string beforePiece;
        std::function<void()> before;

        void Check(const std::string& sql) {
            ++seen;
            if (before && sql.find(beforePiece) != std::string::npos) std::exchange(before, {})();
            if (matching && sql.find(piece) != std::string::npos) throw *matching;
        }
    };

    class Statement : public db::Statement {
      public:
        Statement(std::unique_ptr<db::Statement> real, std::shared_ptr<Plan> plan)
            : m_real(std::move(real)), m_plan(std::move(plan)) {}
        ~Statement() override { Stand(false); }
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        void Bind(int index, const db::Value& value) override { m_real->Bind(index, value); }
        bool Step() override {
            ++m_plan->steps;
            Stand(false);
            const bool row = m_real->Step();
            Stand(row);
            return row;
        }
        void Reset() override {
            Stand(false);
            m_real->Reset();
        }
        int ColumnCount() const override { return m_real->ColumnCount(); }
        std::string ColumnName(int column) const override { return m_real->ColumnName(column); }
        db::Value Column(int column) const override { return m_real->Column(column); }

      private:
        void Stand(bool onRow) {
            m_plan->inProgress += static_cast<int>(onRow) - static_cast<int>(m_onRow);
            m_onRow = onRow;
        }

        std::unique_ptr<db::Statement> m_real;
        std::shared_ptr<Plan> m_plan;
        bool m_onRow = false;
    };

    class Connection : public db::Connection {
      public:
        Connection(std::shared_ptr<db::Connection> real, std::shared_ptr<Plan> plan)
            : m_real(std::move(real)), m_plan(std::move(plan)) {}

        std::unique_ptr<db::Statement> Prepare(const std::string& jetSql) override {
            m_plan->Check(jetSql);
            return std::make_unique<Statement>(m_real->Prepare(jetSql), m_plan);
        }
        void Execute(const std::string& jetSql) override {
            m_plan->Check(jetSql);
            m_real->Execute(jetSql);
        }
        std::int64_t LastInsertRowId() override { return m_real->LastInsertRowId(); }
        std::int64_t Changes() override { return m_real->Changes(); }
        void BeginTransaction() override {
            m_plan->Check("BEGIN");
            m_real->BeginTransaction();
        }
        void CommitTransaction() override {
            m_plan->Check("COMMIT");
            m_real->CommitTransaction();
        }
        void RollbackTransaction() override { m_real->RollbackTransaction(); }
        bool IsTransactionLost() const override { return m_real->IsTransactionLost(); }

      private:
        std::shared_ptr<db::Connection> m_real;
        std::shared_ptr<Plan> m_plan;
    };

    std::shared_ptr<db::Driver> m_real;
    std::shared_ptr<Plan> m_plan;
};

// Puts a driver in place of the current one for the life of the object.
class ScopedDriver {
  public:
    explicit ScopedDriver(std::shared_ptr<db::Driver> driver)
        : m_previous(db::ReplaceDriver(std::move(driver))) {}
    ~ScopedDriver() { db::ReplaceDriver(m_previous); }
    ScopedDriver(const ScopedDriver&) = delete;
    ScopedDriver& operator=(const ScopedDriver&) = delete;

  private:
    std::shared_ptr<db::Driver> m_previous;
};

}  // namespace dbtest
