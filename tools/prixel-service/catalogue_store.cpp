#include "catalogue_store.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr const char* kArticleColumns =
    "maker_id, prefix, reference, label, unit, list_price, packaging, pack_quantity, "
    "discount_code, discount_label, family_codes, family_labels, ean, eco_contribution, "
    "availability, warranty_months, weight, length, width, height, old_code, suppliers, "
    "fixed_price, withdrawn";

std::string Join(const std::vector<std::string>& parts, char separator) {
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += separator;
        joined += parts[i];
    }
    return joined;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    if (text.back() == separator) parts.emplace_back();
    return parts;
}

std::string SuppliersText(const std::vector<SupplierOffer>& offers) {
    std::vector<std::string> parts;
    for (const SupplierOffer& offer : offers) {
        char coefficient[32];
        std::snprintf(coefficient, sizeof coefficient, "%.4f", offer.coefficient);
        parts.push_back(offer.code + ";" + coefficient + ";" + std::to_string(offer.deliveryDays));
    }
    return Join(parts, '|');
}

std::vector<SupplierOffer> SuppliersFrom(const std::string& text) {
    std::vector<SupplierOffer> offers;
    for (const std::string& part : Split(text, '|')) {
        const std::vector<std::string> values = Split(part, ';');
        if (values.size() != 3) continue;
        offers.push_back({values[0], std::stod(values[1]), std::stoi(values[2])});
    }
    return offers;
}

Article ReadArticle(const SqliteStatement& row) {
    Article a;
    a.makerId = row.Text(0);
    a.prefix = row.Text(1);
    a.reference = row.Text(2);
    a.label = row.Text(3);
    a.unit = row.Text(4);
    a.listPrice = row.Number(5);
    a.packaging = row.Text(6);
    a.packQuantity = static_cast<int>(row.Integer(7));
    a.discountCode = row.Text(8);
    a.discountLabel = row.Text(9);
    a.familyCodes = Split(row.Text(10), '|');
    a.familyLabels = Split(row.Text(11), '|');
    a.ean = row.Text(12);
    a.ecoContribution = row.Number(13);
    a.availability = row.Text(14);
    a.warrantyMonths = static_cast<int>(row.Integer(15));
    a.weight = row.Number(16);
    a.length = row.Number(17);
    a.width = row.Number(18);
    a.height = row.Number(19);
    a.oldCode = row.Text(20);
    a.suppliers = SuppliersFrom(row.Text(21));
    a.fixedPrice = row.Integer(22) != 0;
    a.withdrawn = row.Integer(23) != 0;
    return a;
}

Maker ReadMaker(const SqliteStatement& row) {
    return {row.Text(0), row.Text(1), row.Text(2), row.Text(3), row.Text(4), row.Integer(5) != 0};
}

constexpr const char* kMakerSelect =
    "SELECT id, prefix, name, tariff_date, version, full_update FROM makers";

}  // namespace

CatalogueStore::CatalogueStore(const std::string& path) : m_file(path) {
    CreateTables();
}

void CatalogueStore::CreateTables() {
    m_file.Execute(
        "CREATE TABLE IF NOT EXISTS makers(id TEXT PRIMARY KEY, prefix TEXT UNIQUE, name TEXT, "
        "tariff_date TEXT, version TEXT, full_update INTEGER);"
        "CREATE TABLE IF NOT EXISTS articles(code TEXT PRIMARY KEY, maker_id TEXT, prefix TEXT, "
        "reference TEXT, label TEXT, unit TEXT, list_price REAL, packaging TEXT, "
        "pack_quantity INTEGER, discount_code TEXT, discount_label TEXT, family_codes TEXT, "
        "family_labels TEXT, ean TEXT, eco_contribution REAL, availability TEXT, "
        "warranty_months INTEGER, weight REAL, length REAL, width REAL, height REAL, "
        "old_code TEXT, suppliers TEXT, fixed_price INTEGER, withdrawn INTEGER);"
        "CREATE INDEX IF NOT EXISTS articles_maker ON articles(maker_id);"
        "CREATE TABLE IF NOT EXISTS picks(stamp TEXT, code TEXT, seq INTEGER PRIMARY KEY, "
        "UNIQUE(stamp, code));"
        "CREATE TABLE IF NOT EXISTS customers(seq INTEGER PRIMARY KEY, number TEXT UNIQUE, "
        "key TEXT, details TEXT, computer TEXT, rights TEXT);"
        "CREATE TABLE IF NOT EXISTS supplier_batches(seq INTEGER PRIMARY KEY, customer TEXT, "
        "batch TEXT);");
}

bool CatalogueStore::IsEmpty() {
    std::lock_guard lock(m_mutex);
    SqliteStatement count(m_file.Handle(), "SELECT COUNT(*) FROM makers", {});
    return !count.Step() || count.Integer(0) == 0;
}

void CatalogueStore::Fill(const Catalogue& catalogue) {
    std::lock_guard lock(m_mutex);
    m_file.Execute("BEGIN");
    for (const Maker& m : catalogue.makers)
        m_file.Execute("INSERT INTO makers VALUES(?, ?, ?, ?, ?, ?)",
                       {m.id, m.prefix, m.name, m.tariffDate, m.version,
                        static_cast<long long>(m.fullUpdate)});
    for (const Article& article : catalogue.articles) InsertArticle(article);
    m_file.Execute("COMMIT");
}

void CatalogueStore::InsertArticle(const Article& a) {
    m_file.Execute(
        std::string("INSERT INTO articles(code, ") + kArticleColumns +
            ") VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {a.Code(),
         a.makerId,
         a.prefix,
         a.reference,
         a.label,
         a.unit,
         a.listPrice,
         a.packaging,
         static_cast<long long>(a.packQuantity),
         a.discountCode,
         a.discountLabel,
         Join(a.familyCodes, '|'),
         Join(a.familyLabels, '|'),
         a.ean,
         a.ecoContribution,
         a.availability,
         static_cast<long long>(a.warrantyMonths),
         a.weight,
         a.length,
         a.width,
         a.height,
         a.oldCode,
         SuppliersText(a.suppliers),
         static_cast<long long>(a.fixedPrice),
         static_cast<long long>(a.withdrawn)});
}

std::vector<Maker> CatalogueStore::Makers() {
    std::lock_guard lock(m_mutex);
    std::vector<Maker> makers;
    SqliteStatement select(m_file.Handle(), std::string(kMakerSelect) + " ORDER BY name", {});
    while (select.Step()) makers.push_back(ReadMaker(select));
    return makers;
}

std::optional<Maker> CatalogueStore::FindMaker(const std::string& idOrPrefix) {
    std::lock_guard lock(m_mutex);
    SqliteStatement select(
        m_file.Handle(),
        std::string(kMakerSelect) + " WHERE id = ?1 OR prefix = ?1 ORDER BY id = ?1 DESC LIMIT 1",
        {idOrPrefix});
    if (!select.Step()) return std::nullopt;
    return ReadMaker(select);
}

int CatalogueStore::CountArticles(const std::string& makerId) {
    std::lock_guard lock(m_mutex);
    SqliteStatement count(m_file.Handle(), "SELECT COUNT(*) FROM articles WHERE maker_id = ?",
                          {makerId});
    return count.Step() ? static_cast<int>(count.Integer(0)) : 0;
}

std::map<std::string, int> CatalogueStore::ArticleCounts() {
    std::lock_guard lock(m_mutex);
    std::map<std::string, int> counts;
    SqliteStatement count(m_file.Handle(),
                          "SELECT maker_id, COUNT(*) FROM articles GROUP BY maker_id", {});
    while (count.Step()) counts[count.Text(0)] = static_cast<int>(count.Integer(1));
    return counts;
}

std::vector<Article> CatalogueStore::QueryArticles(const std::string& where,
                                                   const std::vector<SqlValue>& values) {
    std::vector<Article> articles;
    SqliteStatement select(m_file.Handle(),
                           std::string("SELECT ") + kArticleColumns + " FROM articles " + where,
                           values);
    while (select.Step()) articles.push_back(ReadArticle(select));
    return articles;
}

std::optional<Article> CatalogueStore::FindArticle(const std::string& code) {
    std::lock_guard lock(m_mutex);
    std::vector<Article> found = QueryArticles("WHERE code = ?", {code});
    if (found.empty()) return std::nullopt;
    return found.front();
}

std::vector<Article> CatalogueStore::Search(const std::string& text, int limit) {
    std::lock_guard lock(m_mutex);
    std::string where = "WHERE withdrawn = 0";
    std::vector<SqlValue> values;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        where += " AND (label LIKE ? OR code LIKE ?)";
        values.push_back("%" + word + "%");
        values.push_back("%" + word + "%");
    }
    where += " ORDER BY label, code LIMIT " + std::to_string(limit);
    return QueryArticles(where, values);
}

std::vector<Article> CatalogueStore::ArticlesOf(const std::string& makerId) {
    std::lock_guard lock(m_mutex);
    return QueryArticles("WHERE maker_id = ? ORDER BY code", {makerId});
}

bool CatalogueStore::ChangeTariff(const std::string& makerId, const std::string& date,
                                  const std::string& version, double factor) {
    std::lock_guard lock(m_mutex);
    m_file.Execute("UPDATE makers SET tariff_date = ?, version = ? WHERE id = ?",
                   {date, version, makerId});
    if (m_file.Changes() == 0) return false;
    m_file.Execute("UPDATE articles SET list_price = ROUND(list_price * ?, 2) WHERE maker_id = ?",
                   {factor, makerId});
    return true;
}

bool CatalogueStore::Withdraw(const std::string& code) {
    std::lock_guard lock(m_mutex);
    m_file.Execute("UPDATE articles SET withdrawn = 1 WHERE code = ?", {code});
    return m_file.Changes() > 0;
}

void CatalogueStore::Pick(const std::string& stamp, const std::string& code) {
    std::lock_guard lock(m_mutex);
    m_file.Execute("INSERT OR IGNORE INTO picks(stamp, code) VALUES(?, ?)", {stamp, code});
}

void CatalogueStore::Unpick(const std::string& stamp, const std::string& code) {
    std::lock_guard lock(m_mutex);
    m_file.Execute("DELETE FROM picks WHERE stamp = ? AND code = ?", {stamp, code});
}

std::vector<Article> CatalogueStore::Picked(const std::string& stamp) {
    std::lock_guard lock(m_mutex);
    return ReadPicks(stamp);
}

std::vector<Article> CatalogueStore::TakePicked(const std::string& stamp) {
    std::lock_guard lock(m_mutex);
    std::vector<Article> articles = ReadPicks(stamp);
    m_file.Execute("DELETE FROM picks WHERE stamp = ?", {stamp});
    return articles;
}

std::vector<Article> CatalogueStore::ReadPicks(const std::string& stamp) {
    std::vector<Article> articles;
    SqliteStatement select(m_file.Handle(),
                           std::string("SELECT ") + kArticleColumns +
                               " FROM picks JOIN articles USING(code) WHERE stamp = ? ORDER BY "
                               "picks.seq",
                           {stamp});
    while (select.Step()) articles.push_back(ReadArticle(select));
    return articles;
}

Customer CatalogueStore::RecordCustomer(const std::vector<std::string>& values,
                                        const std::string& computer) {
    const std::string key = values.at(0) + "|" + values.at(10);
    return SaveCustomer(key, Join(values, '|'), computer);
}

Customer CatalogueStore::OpenAccount(const std::string& company, const std::string& email) {
    return SaveCustomer("account|" + email, company + "|" + email, "");
}

Customer CatalogueStore::SaveCustomer(const std::string& key, const std::string& details,
                                      const std::string& computer) {
    std::lock_guard lock(m_mutex);
    SqliteStatement existing(m_file.Handle(), "SELECT number FROM customers WHERE key = ?", {key});
    if (existing.Step()) {
        const std::string number = existing.Text(0);
        m_file.Execute("UPDATE customers SET details = ?, computer = ? WHERE number = ?",
                       {details, computer, number});
        return {number, computer, kGrantedRights};
    }
    m_file.Execute("INSERT INTO customers(key, details, computer, rights) VALUES(?, ?, ?, ?)",
                   {key, details, computer, kGrantedRights});
    const long long seq = sqlite3_last_insert_rowid(m_file.Handle());
    char number[32];
    std::snprintf(number, sizeof number, "C%06lld", seq);
    m_file.Execute("UPDATE customers SET number = ? WHERE seq = ?", {std::string(number), seq});
    return {number, computer, kGrantedRights};
}

std::optional<Customer> CatalogueStore::FindCustomer(const std::string& number) {
    std::lock_guard lock(m_mutex);
    SqliteStatement select(m_file.Handle(),
                           "SELECT number, computer, rights FROM customers WHERE number = ?",
                           {number});
    if (!select.Step()) return std::nullopt;
    return Customer{select.Text(0), select.Text(1), select.Text(2)};
}

void CatalogueStore::AddSupplierBatch(const std::string& customer, const std::string& batch) {
    std::lock_guard lock(m_mutex);
    m_file.Execute("INSERT INTO supplier_batches(customer, batch) VALUES(?, ?)", {customer, batch});
}

std::vector<std::string> CatalogueStore::SupplierBatches() {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> batches;
    SqliteStatement select(m_file.Handle(),
                           "SELECT customer, batch FROM supplier_batches ORDER BY seq", {});
    while (select.Step()) batches.push_back(select.Text(0) + "\t" + select.Text(1));
    return batches;
}
