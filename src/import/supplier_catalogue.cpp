#include "import/supplier_catalogue.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "host/application.h"
#include "host/number_tools.h"
#include "host/recordsets.h"
#include "import/dao_message.h"
#include "import/import_walk.h"
#include "import/library_batch.h"
#include "platform/db/dao.h"
#include "platform/db/query.h"
#include "platform/text.h"

namespace {

constexpr int kCodeWidth = 18;
constexpr int kSupplierWidth = 15;
constexpr int kPrefixWidth = 15;

constexpr const char* kSupplierRow =
    "SELECT * FROM Catalogue WHERE ((Catalogue.[Type] = %d) AND (Catalogue.[Code] = '%s') AND "
    "(Catalogue.[Fournisseur] = '%s'))";
constexpr const char* kArticleRows =
    "SELECT * FROM Catalogue WHERE [Type]= %d AND [Code] = '%s' ORDER BY [Ordre]";

// The query, or nothing, the refusal shown, when a value would change it.
template <class... Args>
std::optional<std::string> BuildQuery(const char* format, const Args&... args) {
    try {
        return db::FormatQuery(format, args...);
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return std::nullopt;
    }
}

// The host's number services; a host without an application object reads numbers the default way.
const CNumberTools& Numbers() {
    static const CNumberTools defaults;
    const CHostApp* app = GetHostApp();
    return app != nullptr ? app->m_NumberTools : defaults;
}

double ReadAmount(const std::string& text) {
    return Numbers().CorrectNumber(Numbers().GetDoubleValue(text), 0.0);
}

// Without an application object the host's own default applies: discounts go into materials.
bool SupplierDiscountOn() {
    const CHostApp* app = GetHostApp();
    return app == nullptr || app->m_bSupplierDiscount;
}

// A list's entries trimmed, count of them, empty ones where the list is shorter.
std::string* TrimmedEntries(const std::vector<std::string>& fields, int count) {
    auto* entries = new std::string[count];
    for (int i = 0; i < count && i < static_cast<int>(fields.size()); ++i) {
        entries[i] = text::Trim(fields[i]);
    }
    return entries;
}

// The suppliers stop at the first empty entry of their list.
int CountSuppliers(const std::vector<std::string>& suppliers) {
    int count = 0;
    while (count < static_cast<int>(suppliers.size()) && !suppliers[count].empty()) ++count;
    return count;
}

// A YYYYMMDD date read as day/month/year, at midnight; text that is no date gives the zero date.
COleDateTime ParseTariffDate(const std::string& yyyymmdd) {
    const std::string dayFirst =
        text::Right(yyyymmdd, 2) + "/" + text::Mid(yyyymmdd, 4, 2) + "/" + text::Left(yyyymmdd, 4);
    return COleDateTime::ParseDateTime(dayFirst).value_or(COleDateTime());
}

}  // namespace

CSupplierCatalogue::CSupplierCatalogue() {
    OpenLibrary();
}

CSupplierCatalogue::CSupplierCatalogue(int type, std::string code, std::string makerPrefix,
                                       std::string tariffDate, std::string listPrice,
                                       std::string packQuantity, std::string amounts,
                                       std::string suppliers, std::string extras,
                                       std::string coefficients)
    : m_nType(type),
      m_strCode(std::move(code)),
      m_strMakerPrefix(std::move(makerPrefix)),
      m_strTariffDate(std::move(tariffDate)),
      m_strListPrice(std::move(listPrice)),
      m_strPackQuantity(std::move(packQuantity)) {
    const std::vector<std::string> supplierFields = text::Split(suppliers, '|');
    m_nCount = CountSuppliers(supplierFields);
    if (m_nCount > 0) {
        m_pSupplierAmounts = TrimmedEntries(text::Split(amounts, '|'), m_nCount);
        m_pSuppliers = TrimmedEntries(supplierFields, m_nCount);
        m_pSupplierExtras = TrimmedEntries(text::Split(extras, '|'), m_nCount);
        m_pCoefficients = TrimmedEntries(text::Split(coefficients, '|'), m_nCount);
    }
    OpenLibrary();
}

CSupplierCatalogue::~CSupplierCatalogue() {
    delete[] m_pSupplierAmounts;
    delete[] m_pSuppliers;
    delete[] m_pSupplierExtras;
    delete[] m_pCoefficients;
    if (m_pCataSet->IsOpen()) m_pCataSet->Close();
    if (m_pDatabase->IsOpen()) m_pDatabase->Close();
    delete m_pCataSet;
    delete m_pDatabase;
}

// The catalogue's own connection to the service library, and its recordset, not yet open. A
// library that cannot be opened leaves the database closed; every query then fails as the
// database says.
void CSupplierCatalogue::OpenLibrary() {
    m_pDatabase = new CDaoDatabase;
    try {
        m_pDatabase->Open(PrixelLibraryFile());
    } catch (const CDaoException&) {
    }
    m_pCataSet = new CCataSet(m_pDatabase);
}

void CSupplierCatalogue::Write() {
    ReadRowsQuietly();
    if (AllKnownAbsent() && AddAllRows()) return;
    for (int i = 0; i < m_nCount; ++i) {
        switch (KnownAbsent(i) ? 1 : FindRow(i)) {
            case 0:
                UpdateRow(i);
                break;
            case 1:
                AddRow(i);
                break;
            default:
                break;
        }
    }
}

void CSupplierCatalogue::GetMainSupplier(std::string& supplier, double* discount) {
    double value = 0.0;
    supplier.clear();
    if (m_nCount > 0) {
        supplier = text::Left(m_pSuppliers[0], kSupplierWidth);
        value = Discount(0);
    }
    if (SupplierDiscountOn()) *discount = value;
}

bool CSupplierCatalogue::OpenCatalogue(std::string sql) {
    return OpenShowingErrors(*m_pCataSet, sql);
}

int CSupplierCatalogue::FindRow(int i) {
    if (i >= m_nCount) return 2;
    const auto sql = BuildQuery(kSupplierRow, m_nType, m_strCode, m_pSuppliers[i]);
    if (!sql || !OpenCatalogue(*sql)) return 2;
    if (m_pCataSet->IsBOF() && m_pCataSet->IsEOF()) return 1;
    return 0;
}

void CSupplierCatalogue::AddRow(int i) {
    try {
        if (!ReadNextOrder()) return;
        m_pCataSet->AddNew();
        FillRow(i);
        m_pCataSet->m_nOrdre = static_cast<short>(m_nOrder);
        m_pCataSet->Update();
        m_added.push_back(m_pCataSet->m_strFournisseur);
        ++m_nOrder;
    } catch (const CDaoException& e) {
        // Another workstation added the supplier's row since the lookup: it is updated instead.
        if (IsDuplicateKey(e) && FindRow(i) == 0) {
            UpdateRow(i);
            return;
        }
        ShowDaoError(e);
    }
}

bool CSupplierCatalogue::ReadNextOrder() {
    if (m_bOrderRead) return true;
    const auto sql = BuildQuery(kArticleRows, m_nType, m_strCode);
    if (!sql || !OpenCatalogue(*sql)) return false;
    TakeNextOrder();
    return true;
}

// A fresh article's suppliers then need no lookup each; an article that the walk read ahead to
// have no rows is not read again. A failure is left to the lookups, which tell it as they always
// do.
void CSupplierCatalogue::ReadRowsQuietly() {
    if (m_nCount == 0) return;
    CImportWalk* walk = CImportWalk::Current();
    const bool knownWithout = walk && walk->TakeWithoutRows("Catalogue", m_strCode);
    try {
        const std::string sql = db::FormatQuery(kArticleRows, m_nType, m_strCode);
        if (knownWithout) {
            m_pCataSet->OpenAppendOnly(sql);
        } else {
            m_pCataSet->Open(sql);
        }
        TakeNextOrder();
    } catch (const CDaoException&) {
    }
}

void CSupplierCatalogue::TakeNextOrder() {
    m_bHadNoRows = m_pCataSet->IsBOF() && m_pCataSet->IsEOF();
    if (!m_bHadNoRows) {
        m_pCataSet->MoveLast();
        m_nOrder = m_pCataSet->m_nOrdre + 1;
    }
    m_bOrderRead = true;
}

// The article had no row when its rows were read, and this object added none that the supplier's
// lookup would find: the lookup can only find nothing. A supplier that no query accepts is looked
// up, so that the refusal is told.
bool CSupplierCatalogue::KnownAbsent(int i) const {
    return m_bOrderRead && m_bHadNoRows && m_pSuppliers[i].find('\'') == std::string::npos &&
           std::find(m_added.begin(), m_added.end(), m_pSuppliers[i]) == m_added.end();
}

bool CSupplierCatalogue::AllKnownAbsent() const {
    for (int i = 0; i < m_nCount; ++i) {
        if (!KnownAbsent(i)) return false;
    }
    return m_nCount > 1;
}

// The rows of a fresh article go into the library together. When they are refused (another
// workstation added one of them meanwhile, a supplier named twice, ...) the article's rows are
// read again and each supplier is written on its own, which tells what it has to tell; a failure
// that undid the whole transaction is told here, as no statement after it will be.
bool CSupplierCatalogue::AddAllRows() {
    try {
        m_pCataSet->AddRows(m_nCount, [this](int i) {
            FillRow(i);
            m_pCataSet->m_nOrdre = static_cast<short>(m_nOrder + i);
        });
    } catch (const CDaoException& e) {
        if (m_pDatabase->IsTransactionLost()) ShowDaoError(e);
        m_bOrderRead = m_bHadNoRows = false;
        return false;
    }
    m_nOrder += m_nCount;
    m_bHadNoRows = false;
    return true;
}

void CSupplierCatalogue::UpdateRow(int i) {
    try {
        m_pCataSet->Edit();
        FillRow(i);
        m_pCataSet->Update();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
}

void CSupplierCatalogue::FillRow(int i) {
    const COleDateTime tariffDate = ParseTariffDate(m_strTariffDate);
    const double listPrice = ReadAmount(m_strListPrice);
    const double discount = Discount(i);
    const double supplierAmount = ReadAmount(m_pSupplierAmounts[i]);

    m_pCataSet->m_nType = static_cast<short>(m_nType);
    m_pCataSet->m_strCode = text::Left(m_strCode, kCodeWidth);
    m_pCataSet->m_strFournisseur = text::Left(m_pSuppliers[i], kSupplierWidth);
    m_pCataSet->m_dtDateTarif = tariffDate;
    m_pCataSet->m_strPrefixeFabricant = text::Left(m_strMakerPrefix, kPrefixWidth);
    m_pCataSet->m_dPrixTarif = listPrice;
    m_pCataSet->m_dRemise = discount;
    m_pCataSet->m_dMontantFournisseur = supplierAmount;
    m_pCataSet->m_dQteConditionnement =
        static_cast<double>(std::strtol(m_strPackQuantity.c_str(), nullptr, 10));
}

// Supplier i's discount percent: the share of the list price its coefficient takes off.
double CSupplierCatalogue::Discount(int i) const {
    const double coefficient = Numbers().GetDoubleValue(m_pCoefficients[i]);
    return Numbers().CorrectNumber((1.0 - coefficient) * 100.0, 0.0);
}
