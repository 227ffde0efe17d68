#include "platform/db/dao.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <type_traits>

#include "platform/db/driver.h"
#include "platform/db/jet.h"
#include "platform/text.h"

CDaoException::CDaoException(long code, std::string description)
    : std::runtime_error(description),
      m_lErrorCode(code),
      m_strDescription(std::move(description)) {}

namespace {

[[noreturn]] void Fail(long code, const std::string& utf8) {
    throw CDaoException(code, text::FromUtf8(utf8));
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// The parts of a "SELECT columns FROM from [WHERE where] [ORDER BY orderBy]" query.
struct SelectQuery {
    std::string columns = "*";
    std::string from;
    std::string table;  // the first name of the FROM clause, as written
    std::string where;
    std::string orderBy;
};

std::string FirstName(const std::string& from) {
    if (!from.empty() && from[0] == '[') return from.substr(0, from.find(']') + 1);
    return from.substr(0, from.find_first_of(" \t\r\n,"));
}

std::string Between(std::string_view sql, std::size_t begin, std::size_t end) {
    return text::Trim(sql.substr(begin, std::min(end, sql.size()) - begin));
}

SelectQuery ParseSelect(const std::string& sqlText) {
    const std::string sql = text::Trim(sqlText);
    SelectQuery q;
    if (db::jet::FindKeyword(sql, "SELECT") != 0) {
        q.from = q.table = sql;
    } else {
        const std::size_t from = db::jet::FindKeyword(sql, "FROM");
        const std::size_t where = db::jet::FindKeyword(sql, "WHERE", from);
        const std::size_t order = db::jet::FindKeyword(sql, "ORDER", from);
        const std::size_t by = db::jet::FindKeyword(sql, "BY", order);
        if (from == std::string::npos || (order != std::string::npos && by == std::string::npos))
            throw CDaoException(dao::kSyntaxError, text::FromUtf8("Requête incomprise : ") + sql);
        q.columns = Between(sql, 6, from);
        q.from = Between(sql, from + 4, std::min(where, order));
        if (where != std::string::npos) q.where = Between(sql, where + 5, order);
        if (order != std::string::npos) q.orderBy = Between(sql, by + 2, std::string::npos);
        q.table = FirstName(q.from);
    }
    if (q.table.empty())
        throw CDaoException(dao::kSyntaxError, text::FromUtf8("Requête sans table : ") + sql);
    return q;
}

// "(a) AND (b)", or whichever is not empty.
std::string BothConditions(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a + b;
    return "(" + a + ") AND (" + b + ")";
}

std::string SelectText(const SelectQuery& q, const std::string& columns,
                       const std::string& condition, const std::string& order) {
    std::string sql = "SELECT " + columns + " FROM " + q.from;
    if (!condition.empty()) sql += " WHERE " + condition;
    if (!order.empty()) sql += " ORDER BY " + order;
    return sql;
}

std::int64_t AsInteger(const db::Value& v) {
    if (const auto* n = std::get_if<std::int64_t>(&v)) return *n;
    if (const auto* r = std::get_if<double>(&v)) return std::llround(*r);
    if (const auto* s = std::get_if<std::string>(&v)) return std::strtoll(s->c_str(), nullptr, 10);
    return 0;
}

double AsReal(const db::Value& v) {
    if (const auto* r = std::get_if<double>(&v)) return *r;
    if (const auto* n = std::get_if<std::int64_t>(&v)) return static_cast<double>(*n);
    if (const auto* s = std::get_if<std::string>(&v)) return std::strtod(s->c_str(), nullptr);
    return 0.0;
}

std::string AsText(const db::Value& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
    if (const auto* r = std::get_if<double>(&v)) return text::Format("%.15g", *r);
    if (const auto* b = std::get_if<db::Bytes>(&v)) return std::string(b->begin(), b->end());
    return {};
}

COleDateTime AsDate(const db::Value& v) {
    if (const auto* s = std::get_if<std::string>(&v))
        return COleDateTime::FromIso(*s).value_or(COleDateTime());
    if (std::holds_alternative<double>(v) || std::holds_alternative<std::int64_t>(v))
        return COleDateTime(AsReal(v));
    return {};
}

db::Bytes AsBytes(const db::Value& v) {
    if (const auto* b = std::get_if<db::Bytes>(&v)) return *b;
    const std::string s = AsText(v);
    return db::Bytes(s.begin(), s.end());
}

using Member = std::variant<short*, int*, double*, bool*, std::string*, COleDateTime*, db::Bytes*>;

db::Value ValueOf(const Member& member) {
    return std::visit(
        [](auto* p) -> db::Value {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, bool>) {
                return std::int64_t{*p ? 1 : 0};
            } else if constexpr (std::is_integral_v<T>) {
                return std::int64_t{*p};
            } else if constexpr (std::is_same_v<T, COleDateTime>) {
                return p->ToIso();
            } else {
                return *p;
            }
        },
        member);
}

// Puts v into the member; NULL gives the member's empty value.
void Store(const Member& member, const db::Value& v) {
    std::visit(
        [&v](auto* p) {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, bool>) {
                *p = AsInteger(v) != 0;
            } else if constexpr (std::is_integral_v<T>) {
                *p = static_cast<T>(AsInteger(v));
            } else if constexpr (std::is_same_v<T, double>) {
                *p = AsReal(v);
            } else if constexpr (std::is_same_v<T, std::string>) {
                *p = AsText(v);
            } else if constexpr (std::is_same_v<T, COleDateTime>) {
                *p = AsDate(v);
            } else {
                *p = AsBytes(v);
            }
        },
        member);
}

// A member's value as it stands, kept to tell later whether the member changed.
using Held = std::variant<short, int, double, bool, std::string, COleDateTime, db::Bytes>;

Held HeldOf(const Member& member) {
    return std::visit(
        [](auto* p) -> Held {
            return Held(std::in_place_type<std::remove_pointer_t<decltype(p)>>, *p);
        },
        member);
}

bool StillHolds(const Member& member, const Held& held) {
    return std::visit(
        [&held](auto* p) {
            const auto* kept = std::get_if<std::remove_pointer_t<decltype(p)>>(&held);
            return kept != nullptr && *kept == *p;
        },
        member);
}

const void* Address(const Member& member) {
    return std::visit([](auto* p) -> const void* { return p; }, member);
}

constexpr const char* kRowIdColumn = "dao_rowid";

void RequireOpen(bool open) {
    if (!open) Fail(dao::kObjectClosed, "Le jeu d'enregistrements n'est pas ouvert.");
}

void RequireRow(bool onRow) {
    if (!onRow) Fail(dao::kNoCurrentRecord, "Aucun enregistrement en cours.");
}

CDaoException UnknownColumn(const std::string& table, const std::string& column) {
    return CDaoException(dao::kUnknownName, text::FromUtf8("La table ") + table +
                                                text::FromUtf8(" n'a pas de colonne ") + column +
                                                ".");
}

}  // namespace

// ---------------------------------------------------------------------------------------------

CDaoDatabase::~CDaoDatabase() {
    Close();
}

void CDaoDatabase::Open(const std::string& path, bool /*exclusive*/, bool readOnly,
                        const std::string& /*connect*/) {
    m_connection = db::CurrentDriver().Open(path, readOnly);
    m_path = path;
}

void CDaoDatabase::Close() {
    m_connection.reset();
    m_path.clear();
}

void CDaoDatabase::Execute(const std::string& jetSql) {
    Connection().Execute(jetSql);
}

void CDaoDatabase::BeginTrans() {
    Connection().BeginTransaction();
}

void CDaoDatabase::CommitTrans() {
    Connection().CommitTransaction();
}

void CDaoDatabase::Rollback() {
    Connection().RollbackTransaction();
}

bool CDaoDatabase::IsTransactionLost() const {
    return Connection().IsTransactionLost();
}

db::Connection& CDaoDatabase::Connection() const {
    if (!m_connection) Fail(dao::kObjectClosed, "La base de données n'est pas ouverte.");
    return *m_connection;
}

// ---------------------------------------------------------------------------------------------

namespace {

struct Binding {
    Binding(std::string name, Member bound) : column(std::move(name)), member(bound) {}

    std::string column;
    Member member;
    int index = -1;  // column of the open query
    bool null = true;
    bool dirty = false;  // written by the next Update whatever its value
    Held snapshot;       // the member's value at AddNew or Edit
};

enum class EditMode { kNone, kAddNew, kEdit };

constexpr std::size_t kUsualBindings = 40;

}  // namespace

struct CDaoRecordset::Impl {
    std::vector<Binding> bindings;
    SelectQuery query;
    std::string condition;  // the query's WHERE and the filter
    std::string sql;        // the query the cursor runs
    std::unique_ptr<db::Statement> cursor;
    std::vector<std::string> names;
    std::vector<db::Value> row;  // the current row, its rowid first
    bool open = false;
    bool onRow = false;  // a current row that has not been deleted
    bool eof = true;
    bool empty = true;     // the last pass from the first row found none
    bool pending = false;  // the cursor stands on a row that has not been read yet
    long position = 0;     // rows the cursor gave in this pass
    long deletedInPass = 0;
    long visited = 0;  // rows visited and not deleted, as DAO counts them
    EditMode mode = EditMode::kNone;

    void Clear() {
        cursor.reset();
        names.clear();
        row.clear();
        open = onRow = pending = false;
        eof = empty = true;
        position = deletedInPass = visited = 0;
        mode = EditMode::kNone;
    }

    // Members are mostly bound in the order of their columns, named as the schema names them (in
    // any case: an engine may answer them in lower case): each is first looked for just after the
    // previous one's column.
    void MapColumns(const std::string& table) {
        names.clear();
        for (int i = 0; i < cursor->ColumnCount(); ++i) names.push_back(cursor->ColumnName(i));
        std::size_t next = 1;
        for (Binding& b : bindings) {
            const bool inOrder = next < names.size() && SameName(names[next], b.column);
            b.index = inOrder ? static_cast<int>(next) : ColumnIndex(b.column);
            if (b.index < 0) throw UnknownColumn(table, b.column);
            next = static_cast<std::size_t>(b.index) + 1;
        }
    }

    int ColumnIndex(const std::string& column) const {
        for (std::size_t i = 1; i < names.size(); ++i) {
            if (SameName(names[i], column)) return static_cast<int>(i);
        }
        return -1;
    }

    // Moves the cursor one row ahead of the rows read. A cursor past its last row goes back to
    // the connection: a recordset that has read all its rows, a lookup's one row for instance,
    // then holds no statement on the connection, neither one in progress, which would slow every
    // other statement, nor one that the next recordset of the same query would have to prepare
    // again.
    void StepCursor() {
        pending = cursor->Step();
        if (!pending) cursor.reset();
    }

    // Reads the cursor's next row into row; false at the end, row keeping the last one.
    bool Advance() {
        if (!pending) return false;
        row.resize(names.size());
        for (std::size_t i = 0; i < names.size(); ++i) row[i] = cursor->Column(static_cast<int>(i));
        ++position;
        visited = std::max(visited, position - deletedInPass);
        StepCursor();
        return true;
    }

    void LoadMembers() {
        for (Binding& b : bindings) {
            b.null = db::IsNull(row[b.index]);
            Store(b.member, row[b.index]);
        }
    }

    void StepForward() {
        mode = EditMode::kNone;
        onRow = Advance();
        eof = !onRow;
        if (onRow) LoadMembers();
    }

    void Restart(db::Connection& connection) {
        if (cursor) {
            cursor->Reset();
        } else {
            cursor = connection.Prepare(sql);
        }
        position = deletedInPass = 0;
        StepCursor();
        StepForward();
        empty = eof;
    }

    void Snapshot() {
        for (Binding& b : bindings) {
            b.snapshot = HeldOf(b.member);
            b.dirty = false;
        }
    }

    std::vector<Binding*> Changed() {
        std::vector<Binding*> changed;
        for (Binding& b : bindings) {
            if (b.dirty || !StillHolds(b.member, b.snapshot)) changed.push_back(&b);
        }
        return changed;
    }
};

namespace {

// The insertion of rows rows that write the changed columns.
std::string InsertText(const std::string& table, const std::vector<Binding*>& changed,
                       std::size_t rows = 1) {
    if (changed.empty()) return "INSERT INTO " + table + " DEFAULT VALUES";
    std::string columns, values;
    for (const Binding* b : changed) {
        columns += (columns.empty() ? "[" : ", [") + b->column + "]";
        values += values.empty() ? "(?" : ", ?";
    }
    std::string sql = "INSERT INTO " + table + " (" + columns + ") VALUES " + values + ")";
    for (std::size_t row = 1; row < rows; ++row) sql += ", " + values + ")";
    return sql;
}

// Rows to add that write the same columns, with their values one row after the other.
struct RowGroup {
    std::vector<Binding*> columns;
    std::vector<db::Value> values;
    std::size_t rows = 0;
};

std::string UpdateText(const std::string& table, const std::vector<Binding*>& changed) {
    std::string sets;
    for (const Binding* b : changed) sets += (sets.empty() ? "[" : ", [") + b->column + "] = ?";
    return "UPDATE " + table + " SET " + sets + " WHERE rowid = ?";
}

std::vector<db::Value> ValuesOf(const std::vector<Binding*>& bindings) {
    std::vector<db::Value> values;
    values.reserve(bindings.size());
    for (const Binding* b : bindings) values.push_back(ValueOf(b->member));
    return values;
}

// Runs a write with the changed members' values, then the row id when there is one.
void Write(db::Connection& connection, const std::string& sql, const std::vector<db::Value>& values,
           const db::Value* rowId) {
    const auto statement = connection.Prepare(sql);
    int index = 1;
    for (const db::Value& value : values) statement->Bind(index++, value);
    if (rowId) statement->Bind(index, *rowId);
    statement->Step();
}

}  // namespace

// Room for the members of the widest host recordset, bound one after the other by the derived
// class's constructor.
CDaoRecordset::CDaoRecordset(CDaoDatabase* database)
    : m_pDatabase(database), m_impl(std::make_unique<Impl>()) {
    m_impl->bindings.reserve(kUsualBindings);
}

CDaoRecordset::~CDaoRecordset() = default;

void CDaoRecordset::Open(const std::string& sql) {
    OpenQuery(sql, true);
}

void CDaoRecordset::OpenAppendOnly(const std::string& sql) {
    OpenQuery(sql, false);
}

void CDaoRecordset::OpenQuery(const std::string& sql, bool readRows) {
    Close();
    if (!m_pDatabase)
        Fail(dao::kObjectClosed, "Le jeu d'enregistrements n'a pas de base de données.");
    Impl& d = *m_impl;
    d.query = ParseSelect(sql.empty() ? GetDefaultSQL() : sql);
    d.condition = BothConditions(d.query.where, m_strFilter);
    const std::string columns =
        d.query.table + ".rowid AS " + kRowIdColumn + ", " + d.query.columns;
    const std::string order = m_strSort.empty() ? d.query.orderBy : m_strSort;
    try {
        d.sql = SelectText(d.query, columns, d.condition, order);
        d.cursor = m_pDatabase->Connection().Prepare(d.sql);
        d.MapColumns(d.query.table);
        d.open = true;
        if (readRows) d.Restart(m_pDatabase->Connection());
    } catch (...) {
        d.Clear();
        throw;
    }
}

bool CDaoRecordset::IsOpen() const {
    return m_impl->open;
}

void CDaoRecordset::Close() {
    m_impl->Clear();
}

bool CDaoRecordset::IsBOF() const {
    return m_impl->empty;
}

bool CDaoRecordset::IsEOF() const {
    return m_impl->eof;
}

void CDaoRecordset::MoveFirst() {
    RequireOpen(m_impl->open);
    m_impl->Restart(m_pDatabase->Connection());
    RequireRow(m_impl->onRow);
}

void CDaoRecordset::MoveNext() {
    RequireOpen(m_impl->open);
    RequireRow(!m_impl->eof);
    m_impl->StepForward();
}

void CDaoRecordset::MoveLast() {
    Impl& d = *m_impl;
    RequireOpen(d.open);
    if (!d.onRow) d.Restart(m_pDatabase->Connection());
    RequireRow(d.onRow);
    while (d.Advance()) {
    }
    d.mode = EditMode::kNone;
    d.LoadMembers();
}

long CDaoRecordset::GetRecordCount() const {
    return m_impl->visited;
}

void CDaoRecordset::AddNew() {
    RequireOpen(m_impl->open);
    for (Binding& b : m_impl->bindings) {
        Store(b.member, db::Value());
        b.null = true;
    }
    m_impl->Snapshot();
    m_impl->mode = EditMode::kAddNew;
}

void CDaoRecordset::Edit() {
    RequireOpen(m_impl->open);
    RequireRow(m_impl->onRow);
    m_impl->Snapshot();
    m_impl->mode = EditMode::kEdit;
}

void CDaoRecordset::Update() {
    Impl& d = *m_impl;
    RequireOpen(d.open);
    if (d.mode == EditMode::kNone)
        Fail(dao::kUpdateWithoutEdit, "Enregistrement sans ajout ni modification en cours.");
    const std::vector<Binding*> changed = d.Changed();
    std::vector<db::Value> values = ValuesOf(changed);
    db::Connection& connection = m_pDatabase->Connection();
    if (d.mode == EditMode::kAddNew) {
        Write(connection, InsertText(d.query.table, changed), values, nullptr);
    } else if (!changed.empty()) {
        Write(connection, UpdateText(d.query.table, changed), values, &d.row[0]);
    }
    for (std::size_t i = 0; i < changed.size(); ++i) {
        changed[i]->null = false;
        if (d.mode == EditMode::kEdit) d.row[changed[i]->index] = std::move(values[i]);
    }
    // After an addition, the row that was current before it is current again.
    if (d.mode == EditMode::kAddNew && d.onRow) d.LoadMembers();
    d.mode = EditMode::kNone;
}

void CDaoRecordset::AddRows(int count, const std::function<void(int)>& fill) {
    Impl& d = *m_impl;
    std::vector<RowGroup> groups;
    for (int row = 0; row < count; ++row) {
        AddNew();
        fill(row);
        std::vector<Binding*> changed = d.Changed();
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&changed](const RowGroup& g) { return g.columns == changed; });
        if (group == groups.end() || changed.empty())
            group = groups.insert(groups.end(), RowGroup{changed, {}, 0});
        std::vector<db::Value> values = ValuesOf(changed);
        std::move(values.begin(), values.end(), std::back_inserter(group->values));
        ++group->rows;
    }
    CancelUpdate();
    for (const RowGroup& group : groups) {
        Write(m_pDatabase->Connection(), InsertText(d.query.table, group.columns, group.rows),
              group.values, nullptr);
    }
}

void CDaoRecordset::CancelUpdate() {
    m_impl->mode = EditMode::kNone;
    if (m_impl->onRow) m_impl->LoadMembers();
}

void CDaoRecordset::Delete() {
    Impl& d = *m_impl;
    RequireOpen(d.open);
    RequireRow(d.onRow);
    Write(m_pDatabase->Connection(), "DELETE FROM " + d.query.table + " WHERE rowid = ?", {},
          &d.row[0]);
    d.onRow = false;
    d.mode = EditMode::kNone;
    --d.visited;
    ++d.deletedInPass;
}

bool CDaoRecordset::FindFirst(const std::string& criteria) {
    Impl& d = *m_impl;
    RequireOpen(d.open);
    db::Connection& connection = m_pDatabase->Connection();
    const std::string matching = BothConditions(d.condition, criteria);
    if (!connection.Prepare(SelectText(d.query, "1", matching, "") + " LIMIT 1")->Step())
        return false;
    const auto test = connection.Prepare(
        SelectText(d.query, "1", d.query.table + ".rowid = ? AND (" + criteria + ")", ""));
    for (d.Restart(connection); d.onRow; d.StepForward()) {
        test->Reset();
        test->Bind(1, d.row[0]);
        if (test->Step()) return true;
    }
    return false;
}

db::Value CDaoRecordset::GetFieldValue(const std::string& column) const {
    const Impl& d = *m_impl;
    RequireOpen(d.open);
    RequireRow(d.onRow);
    const int index = d.ColumnIndex(column);
    if (index < 0) throw UnknownColumn(d.query.table, column);
    return d.row[index];
}

bool CDaoRecordset::IsFieldNull(const void* member) const {
    for (const Binding& b : m_impl->bindings) {
        if (Address(b.member) == member) return b.null;
    }
    return false;
}

void CDaoRecordset::SetFieldDirty(const void* member, bool dirty) {
    for (Binding& b : m_impl->bindings) {
        if (member == nullptr || Address(b.member) == member) b.dirty = dirty;
    }
}

void CDaoRecordset::Bind(const std::string& column, short* member) {
    m_impl->bindings.emplace_back(column, member);
}
void CDaoRecordset::Bind(const std::string& column, int* member) {
    m_impl->bindings.emplace_back(column, member);
}
void CDaoRecordset::Bind(const std::string& column, double* member) {
    m_impl->bindings.emplace_back(column, member);
}
void CDaoRecordset::Bind(const std::string& column, bool* member) {
    m_impl->bindings.emplace_back(column, member);
}
void CDaoRecordset::Bind(const std::string& column, std::string* member) {
    m_impl->bindings.emplace_back(column, member);
}
void CDaoRecordset::Bind(const std::string& column, COleDateTime* member) {
    m_impl->bindings.emplace_back(column, member);
}
void CDaoRecordset::Bind(const std::string& column, db::Bytes* member) {
    m_impl->bindings.emplace_back(column, member);
}
