#include "fair_import.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "host/application.h"
#include "host/number_tools.h"
#include "import/family.h"
#include "import/prixel_element.h"
#include "platform/text.h"
#include "resources/prixel_texts.h"

namespace {

using E = CPrixelElement;

constexpr int kFields = E::FieldCount;
constexpr int kFamilyType = 10000;
constexpr int kMaxLevels = 10;
constexpr std::size_t kMaxFamilyCode = 21;

const CNumberTools& Numbers() {
    static const CNumberTools defaults;
    const CHostApp* app = GetHostApp();
    return app ? app->m_NumberTools : defaults;
}

double ReadNumber(const std::string& value) {
    return Numbers().CorrectNumber(Numbers().GetDoubleValue(value), 0.0);
}

double Discount(const std::string& coefficient) {
    return Numbers().CorrectNumber((1.0 - Numbers().GetDoubleValue(coefficient)) * 100.0, 0.0);
}

// A YYYYMMDD date, from its day, month and year.
std::string IsoDate(const std::string& yyyymmdd) {
    const std::string dayFirst =
        text::Mid(yyyymmdd, 6, 2) + "/" + text::Mid(yyyymmdd, 4, 2) + "/" + text::Left(yyyymmdd, 4);
    return COleDateTime::ParseDateTime(dayFirst).value_or(COleDateTime()).ToIso();
}

sqlite3_stmt* Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    return statement;
}

// A column left empty is not written, as a recordset writes only the members it was given.
void BindText(sqlite3_stmt* s, int i, const std::string& cp1252) {
    if (cp1252.empty()) {
        sqlite3_bind_null(s, i);
        return;
    }
    const std::string utf8 = text::ToUtf8(cp1252);
    sqlite3_bind_text(s, i, utf8.c_str(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void BindNumber(sqlite3_stmt* s, int i, double value) {
    if (value == 0.0) {
        sqlite3_bind_null(s, i);
    } else {
        sqlite3_bind_double(s, i, value);
    }
}

void BindNote(sqlite3_stmt* s, int i, const std::string& note) {
    const std::string rtf = CPrixelElement::ToRtf(note);
    sqlite3_bind_blob(s, i, rtf.c_str(), static_cast<int>(rtf.size() + 1), SQLITE_TRANSIENT);
}

bool StepOnce(sqlite3_stmt* s) {
    return sqlite3_step(s) == SQLITE_ROW;
}

void Done(sqlite3_stmt* s) {
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
}

std::string ColumnText(sqlite3_stmt* s, int i) {
    const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
    return value ? text::FromUtf8(value) : std::string();
}

std::string TechnicalNote(const std::vector<std::string>& f) {
    const auto line = [&f](const char* title, int field) { return Fr(title) + f[field] + "\n"; };
    return line(TXT_NOTE_PACKAGING, E::Packaging) + Fr(TXT_NOTE_DISCOUNT_FAMILY) +
           f[E::DiscountFamilyCode] + " - " + f[E::DiscountFamilyLabel] + "\n" +
           line(TXT_NOTE_EAN, E::Ean) + line(TXT_NOTE_AVAILABILITY, E::Availability) +
           line(TXT_NOTE_WARRANTY, E::WarrantyMonths) + line(TXT_NOTE_WEIGHT, E::Weight) +
           line(TXT_NOTE_LENGTH, E::Length) + line(TXT_NOTE_WIDTH, E::Width) +
           line(TXT_NOTE_HEIGHT, E::Height) + line(TXT_NOTE_OLD_CODE, E::OldCode);
}

std::vector<std::string> Suppliers(const std::string& list) {
    std::vector<std::string> suppliers = text::Split(list, '|');
    suppliers.erase(std::find(suppliers.begin(), suppliers.end(), std::string()), suppliers.end());
    for (std::string& s : suppliers) s = text::Trim(s);
    return suppliers;
}

std::string Entry(const std::string& list, std::size_t i) {
    const std::vector<std::string> entries = text::Split(list, '|');
    return i < entries.size() ? text::Trim(entries[i]) : std::string();
}

}  // namespace

FairImport::FairImport(const std::string& library, int profile) : m_nProfile(profile) {
    sqlite3_open_v2(library.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    m_material = Prepare(m_db, "SELECT PrixelCheck FROM BXMX WHERE Type = 10001 AND Code = ?");
    m_family = Prepare(m_db, "SELECT Code FROM Famille WHERE Type = ? AND CodePrixel = ?");
    m_lastSibling = Prepare(
        m_db, "SELECT Rang FROM Famille WHERE Type = ? AND Parent = ? ORDER BY rowid DESC LIMIT 1");
    m_addFamily = Prepare(m_db,
                          "INSERT INTO Famille (Type, Parent, Rang, Libelle, CodePrixel, Code) "
                          "VALUES (?, ?, ?, ?, ?, ?)");
    m_addMaterial = Prepare(
        m_db,
        "INSERT INTO BXMX (Type, Code, Libelle, NoteLibelle, NoteTechnique, Unite, PrixTarif, "
        "Remise, PrixNet, PrixBase, CoefFG, PrixRevient, CoefVente, PrixVente, DateMaj, "
        "LibFamille, CodeFamille, Fournisseur, CodeEAN, MajMontant, MajPourcent, Profil, Valeur2, "
        "PrixelDate, PrixelFabricantID, PrefixeFabricant, Reference, PrixelCheck) VALUES (10001, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)");
    m_maker = Prepare(m_db, "SELECT 1 FROM Fabricant WHERE Id = ?");
    m_addMaker = Prepare(m_db, "INSERT INTO Fabricant (Id, Prefixe, DateTarif) VALUES (?, ?, ?)");
    m_supplierRows = Prepare(
        m_db,
        "SELECT Fournisseur, Ordre FROM Catalogue WHERE Type = 10001 AND Code = ? ORDER BY Ordre");
    m_addSupplier = Prepare(m_db,
                            "INSERT INTO Catalogue (Type, Code, Ordre, Fournisseur, DateTarif, "
                            "PrefixeFabricant, PrixTarif, Remise, MontantFournisseur, "
                            "QteConditionnement) VALUES (10001, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
}

FairImport::~FairImport() {
    for (sqlite3_stmt* s : {m_material, m_family, m_lastSibling, m_addFamily, m_addMaterial,
                            m_maker, m_addMaker, m_supplierRows, m_addSupplier}) {
        sqlite3_finalize(s);
    }
    sqlite3_close(m_db);
}

int FairImport::Run(std::string_view body) {
    sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    int written = 0;
    std::size_t start = 0;
    for (std::size_t end = body.find("\r\n"); end != std::string_view::npos;
         start = end + 2, end = body.find("\r\n", start)) {
        const std::string line(body.substr(start, end - start));
        if (std::count(line.begin(), line.end(), '\t') + 1 < kFields) continue;
        Fields f = text::Split(line, '\t');
        f.resize(kFields);
        for (std::string& field : f) field = text::Trim(field);
        if (WriteArticle(f)) ++written;
    }
    sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    return written;
}

bool FairImport::WriteArticle(const Fields& f) {
    const std::string code = f[E::MakerPrefix] + f[E::Reference];
    BindText(m_material, 1, text::Left(code, 18));
    const bool exists = StepOnce(m_material);
    Done(m_material);
    if (exists) return false;
    std::string familyLabel;
    const std::string family = FamilyPath(f, familyLabel);
    if (family.empty()) return false;
    WriteMaterial(f, family, familyLabel);
    WriteMaker(f);
    WriteSuppliers(f);
    return true;
}

std::string FairImport::FamilyPath(const Fields& f, std::string& label) {
    const std::vector<std::string> keys = text::Split(f[E::FamilyCodes], '|');
    const std::vector<std::string> labels = text::Split(f[E::FamilyLabels], '|');
    const int levels = std::min(
        static_cast<int>(std::find(keys.begin(), keys.end(), std::string()) - keys.begin()) + 1,
        kMaxLevels);
    std::string key;
    std::string parent = "@";
    for (int i = 0; i < levels; ++i) {
        key += (i == 0 ? f[E::MakerPrefix] : text::Trim(keys[i - 1])) + ".";
        sqlite3_bind_int(m_family, 1, kFamilyType);
        BindText(m_family, 2, key);
        const bool found = StepOnce(m_family);
        std::string code = found ? ColumnText(m_family, 0) : std::string();
        Done(m_family);
        label = i == 0                                            ? f[E::MakerPrefix]
                : static_cast<std::size_t>(i - 1) < labels.size() ? text::Trim(labels[i - 1])
                                                                  : std::string();
        if (!found) {
            code = AddFamily(parent, label, key);
            if (code.empty()) return {};
        }
        parent = code;
    }
    return parent;
}

std::string FairImport::AddFamily(const std::string& parent, const std::string& label,
                                  const std::string& key) {
    sqlite3_bind_int(m_lastSibling, 1, kFamilyType);
    BindText(m_lastSibling, 2, parent);
    const int rank = StepOnce(m_lastSibling) ? sqlite3_column_int(m_lastSibling, 0) : 0;
    Done(m_lastSibling);
    for (;;) {
        const char first = DrawCodeCharacter();
        const std::string code = parent + first + DrawCodeCharacter();
        if (code.size() > kMaxFamilyCode) return {};
        sqlite3_bind_int(m_addFamily, 1, kFamilyType);
        BindText(m_addFamily, 2, parent);
        sqlite3_bind_int(m_addFamily, 3, rank + 1);
        BindText(m_addFamily, 4, text::Left(label, 70));
        BindText(m_addFamily, 5, key);
        BindText(m_addFamily, 6, code);
        const int rc = sqlite3_step(m_addFamily);
        Done(m_addFamily);
        if (rc == SQLITE_DONE) return code;
    }
}

void FairImport::WriteMaterial(const Fields& f, const std::string& family,
                               const std::string& familyLabel) {
    const std::string label =
        text::Left(f[E::Label].empty() ? Fr(TXT_LABEL_TO_DEFINE) : f[E::Label], 255);
    const std::vector<std::string> suppliers = Suppliers(f[E::SupplierData2]);
    const CHostApp* app = GetHostApp();
    double list = ReadNumber(f[E::ListPrice]);
    double discount = 0.0;
    if ((app == nullptr || app->m_bSupplierDiscount) && !suppliers.empty())
        discount = Discount(Entry(f[E::SupplierData4], 0));
    double overhead = 0.0, sale = 0.0, net = 0.0, surchargeAmount = 0.0, surchargePercent = 0.0,
           base = 0.0, cost = 0.0, salePrice = 0.0;
    CPrixelElement::GetTypeCoefficients(overhead, sale);
    CPrixelElement::ComputePrices(overhead, sale, list, discount, net, surchargeAmount,
                                  surchargePercent, base, cost, salePrice, false, false, false);
    sqlite3_stmt* s = m_addMaterial;
    int i = 0;
    BindText(s, ++i, f[E::MakerPrefix] + f[E::Reference]);
    BindText(s, ++i, label);
    BindNote(s, ++i, label);
    BindNote(s, ++i, TechnicalNote(f));
    BindText(s, ++i, text::Left(f[E::Unit], 3));
    for (double value : {list, discount, net, base, overhead, cost, sale, salePrice})
        BindNumber(s, ++i, value);
    BindText(s, ++i, CPrixelElement::ReadToday().ToIso());
    BindText(s, ++i, text::Left(familyLabel, 18));
    BindText(s, ++i, family);
    BindText(s, ++i, suppliers.empty() ? std::string() : text::Left(suppliers[0], 15));
    BindText(s, ++i, f[E::Ean]);
    BindNumber(s, ++i, surchargeAmount);
    BindNumber(s, ++i, surchargePercent);
    sqlite3_bind_int(s, ++i, m_nProfile);
    BindNumber(s, ++i, ReadNumber(f[E::SecondValue]));
    BindText(s, ++i, IsoDate(f[E::TariffDate]));
    BindText(s, ++i, f[E::MakerId]);
    BindText(s, ++i, f[E::MakerPrefix]);
    BindText(s, ++i, f[E::Reference]);
    sqlite3_step(s);
    Done(s);
}

void FairImport::WriteMaker(const Fields& f) {
    BindText(m_maker, 1, f[E::MakerId]);
    const bool known = StepOnce(m_maker);
    Done(m_maker);
    if (known) return;
    BindText(m_addMaker, 1, f[E::MakerId]);
    BindText(m_addMaker, 2, f[E::MakerPrefix]);
    BindText(m_addMaker, 3, IsoDate(f[E::TariffDate]));
    sqlite3_step(m_addMaker);
    Done(m_addMaker);
}

void FairImport::WriteSuppliers(const Fields& f) {
    const std::string code = text::Left(f[E::MakerPrefix] + f[E::Reference], 18);
    std::map<std::string, int> stored;
    int order = 0;
    BindText(m_supplierRows, 1, code);
    while (StepOnce(m_supplierRows)) {
        order = sqlite3_column_int(m_supplierRows, 1);
        stored[ColumnText(m_supplierRows, 0)] = order;
    }
    Done(m_supplierRows);
    const std::vector<std::string> suppliers = Suppliers(f[E::SupplierData2]);
    for (std::size_t i = 0; i < suppliers.size(); ++i) {
        const std::string supplier = text::Left(suppliers[i], 15);
        if (stored.count(supplier)) continue;
        sqlite3_stmt* s = m_addSupplier;
        BindText(s, 1, code);
        sqlite3_bind_int(s, 2, ++order);
        BindText(s, 3, supplier);
        BindText(s, 4, IsoDate(f[E::TariffDate]));
        BindText(s, 5, text::Left(f[E::MakerPrefix], 15));
        BindNumber(s, 6, ReadNumber(f[E::ListPrice]));
        BindNumber(s, 7, Discount(Entry(f[E::SupplierData4], i)));
        BindNumber(s, 8, ReadNumber(Entry(f[E::SupplierData1], i)));
        BindNumber(s, 9, static_cast<double>(std::strtol(f[E::PackQuantity].c_str(), nullptr, 10)));
        sqlite3_step(s);
        Done(s);
    }
}
