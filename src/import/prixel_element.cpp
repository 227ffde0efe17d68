#include "import/prixel_element.h"

#include <algorithm>
#include <cmath>

#include "host/application.h"
#include "host/databases.h"
#include "host/number_tools.h"
#include "host/paths.h"
#include "import/dao_message.h"
#include "import/import_walk.h"
#include "import/supplier_catalogue.h"
#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"

namespace {

constexpr int kFieldsPerRecord = CPrixelElement::FieldCount;
constexpr double kNearlyZero = 1e-10;
constexpr double kLargestListPrice = 1e10;

constexpr const char* kRtfHead =
    R"({\rtf1\ansi\ansicpg1252\deff0\deflang1036{\fonttbl{\f0\fnil\fcharset0 Arial;}} )"
    R"({\colortbl ;\red0\green0\blue0;} \viewkind4\uc1\pard\cf1\fs20 )";
constexpr const char* kRtfTail = R"( \par })";
constexpr const char* kRtfLineEnd = "\\par\r\n";

const CNumberTools& NumberTools() {
    static const CNumberTools defaults;
    const CHostApp* app = GetHostApp();
    return app ? app->m_NumberTools : defaults;
}

double RoundPrice(double value) {
    return NumberTools().Round(value, 0);
}

bool NearlyZero(double value) {
    return std::fabs(value) < kNearlyZero;
}

bool LengthWithin(const std::string& value, std::size_t most) {
    return !value.empty() && value.size() <= most;
}

// The company's accounting database, which the host keeps open.
CDaoDatabase* AccountingDatabase() {
    CDaoDatabase* database = GetDBManager()->GetMDBDao(mdCompta);
    if (!database) throw CDaoException(dao::kObjectClosed, Fr(TXT_NO_ACCOUNTING_DATABASE));
    return database;
}

const char* ProfileColumn(int type) {
    if (type == PRIXEL_TYPE_WORK) return "ProfilOuvrages";
    if (type == PRIXEL_TYPE_MATERIAL) return "ProfilMateriaux";
    return nullptr;
}

}  // namespace

CPrixelDbWriter::CPrixelDbWriter() : m_pDatabase(new CDaoDatabase) {}

CPrixelDbWriter::~CPrixelDbWriter() {
    if (m_pDatabase->IsOpen()) m_pDatabase->Close();
    delete m_pDatabase;
}

bool CPrixelDbWriter::RefusedQuery(const CDaoException& e) {
    ShowDaoError(e);
    return false;
}

bool CPrixelDbWriter::StoreRow(CDaoRecordset& set, bool newRow) {
    try {
        WriteRow(set, newRow);
        return true;
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return false;
    }
}

void CPrixelDbWriter::WriteRow(CDaoRecordset& set, bool newRow) {
    if (newRow) {
        set.AddNew();
    } else {
        set.Edit();
    }
    FillRecord();
    set.Update();
}

int CPrixelDbWriter::GetProfile(int type) {
    CImportWalk* walk = CImportWalk::Current();
    if (walk) {
        if (const auto kept = walk->Profile(type)) return *kept;
    }
    CDaoDatabase* database = nullptr;
    try {
        database = AccountingDatabase();
    } catch (const CDaoException& e) {
        LogDaoError(e);
        AfxMessageBox(Fr(TXT_DATABASE_PROBLEM) + e.m_strDescription, MB_OK);
        return 0;
    }
    CDaoRecordset set(database);
    try {
        set.m_strFilter = db::FormatQuery("CodeSociete = '%s'", CParPath::sFirmDefaut);
        set.Open("SELECT * FROM ParamCompta");
        int profile = 0;
        const char* column = ProfileColumn(type);
        if (!set.IsEOF() && column) profile = CCrack::intVARIANT(set.GetFieldValue(column));
        set.Close();
        if (walk) walk->KeepProfile(type, profile);
        return profile;
    } catch (const CDaoException& e) {
        LogDaoError(e);
        AfxMessageBox(Fr(TXT_PARAMCOMPTA_PROBLEM) + e.m_strDescription, MB_OK);
        return 0;
    }
}

CPrixelElement::CPrixelElement() : m_pCatalogue(new CSupplierCatalogue()) {}

CPrixelElement::CPrixelElement(const std::string& line) : m_strFields(SplitLine(line)) {
    m_strCode = m_strFields[MakerPrefix] + m_strFields[Reference];
    if (m_strFields[MakerPrefix].empty()) {
        m_pCatalogue = new CSupplierCatalogue();
    } else {
        m_pCatalogue = new CSupplierCatalogue(
            PRIXEL_TYPE_MATERIAL, m_strCode, m_strFields[MakerPrefix], m_strFields[TariffDate],
            m_strFields[ListPrice], m_strFields[PackQuantity], m_strFields[SupplierData1],
            m_strFields[SupplierData2], m_strFields[SupplierData3], m_strFields[SupplierData4]);
    }
}

CPrixelElement::~CPrixelElement() {
    delete m_pCatalogue;
}

std::array<std::string, CPrixelElement::FieldCount> CPrixelElement::SplitLine(
    const std::string& line) {
    std::array<std::string, FieldCount> fields;
    if (std::count(line.begin(), line.end(), '\t') + 1 < kFieldsPerRecord) return fields;
    const std::vector<std::string> parts = text::Split(line, '\t');
    for (int i = 0; i < kFieldsPerRecord; ++i) fields[i] = text::Trim(parts[i]);
    return fields;
}

bool CPrixelElement::ValidateElement() {
    if (m_strFields[Label] == Fr(TXT_WITHDRAWN_ARTICLE)) {
        Unlink();
        return false;
    }
    if (LengthWithin(m_strFields[MakerId], 8) && LengthWithin(m_strFields[MakerPrefix], 5) &&
        LengthWithin(m_strFields[Reference], 13)) {
        return true;
    }
    AfxMessageBox(text::Format(Fr(TXT_REFERENCE_TOO_LONG).c_str(), m_strFields[MakerPrefix].c_str(),
                               m_strFields[Reference].c_str(), m_strFields[Label].c_str()),
                  MB_OK);
    return false;
}

std::string CPrixelElement::ToRtf(std::string text) {
    return text::Replace(kRtfHead + text + kRtfTail, "\n", kRtfLineEnd);
}

void CPrixelElement::GetTypeCoefficients(double& overhead, double& sale) {
    const CHostApp* app = GetHostApp();
    const CPriceEntry* entry = app ? app->FindPriceEntry(PRIXEL_TYPE_MATERIAL) : nullptr;
    if (!entry) return;
    overhead = entry->dOverheadCoefficient;
    sale = entry->dSaleCoefficient;
}

void CPrixelElement::ComputePrices(double& overhead, double& saleCoefficient, double& listPrice,
                                   double& discount, double& netCost, double& surchargeAmount,
                                   double& surchargePercent, double& costBase, double& costPrice,
                                   double& salePrice, bool surchargeIncluded,
                                   bool surchargeAmountGiven, bool salePriceGiven) {
    if (std::fabs(listPrice) > kLargestListPrice) listPrice = 0.0;
    netCost = RoundPrice(listPrice * (1.0 - discount * 0.01));
    if (surchargeAmountGiven) {
        if (NearlyZero(netCost)) netCost = kNearlyZero;
        surchargePercent = RoundPrice(surchargeAmount / netCost * 100.0);
    } else {
        surchargeAmount = RoundPrice(netCost * surchargePercent * 0.01);
    }
    costBase = surchargeIncluded ? netCost + surchargeAmount : netCost;
    if (NearlyZero(overhead)) overhead = 1.0;
    costPrice = RoundPrice(costBase * overhead);
    if (salePriceGiven) {
        if (costPrice != 0.0) saleCoefficient = RoundPrice(salePrice / costPrice);
    } else {
        if (NearlyZero(saleCoefficient)) saleCoefficient = 1.0;
        salePrice = RoundPrice(costPrice * saleCoefficient);
    }
}

std::string CPrixelElement::TechnicalNote() const {
    const auto line = [this](const char* title, Field field) {
        return Fr(title) + m_strFields[field] + "\n";
    };
    return line(TXT_NOTE_PACKAGING, Packaging) + Fr(TXT_NOTE_DISCOUNT_FAMILY) +
           m_strFields[DiscountFamilyCode] + " - " + m_strFields[DiscountFamilyLabel] + "\n" +
           line(TXT_NOTE_EAN, Ean) + line(TXT_NOTE_AVAILABILITY, Availability) +
           line(TXT_NOTE_WARRANTY, WarrantyMonths) + line(TXT_NOTE_WEIGHT, Weight) +
           line(TXT_NOTE_LENGTH, Length) + line(TXT_NOTE_WIDTH, Width) +
           line(TXT_NOTE_HEIGHT, Height) + line(TXT_NOTE_OLD_CODE, OldCode);
}

COleDateTime CPrixelElement::ReadTariffDate() const {
    const std::string& date = m_strFields[TariffDate];
    const std::string dayFirst =
        text::Mid(date, 6, 2) + "/" + text::Mid(date, 4, 2) + "/" + text::Left(date, 4);
    return COleDateTime::ParseDateTime(dayFirst).value_or(COleDateTime());
}

COleDateTime CPrixelElement::ReadToday() {
    const std::string today = COleDateTime::GetCurrentTime().Format("%x");
    return COleDateTime::ParseDateTime(today).value_or(COleDateTime());
}

db::Bytes CPrixelElement::NoteBytes(const std::string& text) {
    const std::string rtf = ToRtf(text);
    db::Bytes bytes(rtf.begin(), rtf.end());
    bytes.push_back(0);
    return bytes;
}

double CPrixelElement::ReadNumber(const std::string& text) {
    return NumberTools().CorrectNumber(NumberTools().GetDoubleValue(text), 0);
}

const std::string& CPrixelElement::LabelOrDefault() {
    if (m_strFields[Label].empty()) m_strFields[Label] = Fr(TXT_LABEL_TO_DEFINE);
    return m_strFields[Label];
}

void CPrixelElement::GetMainSupplier(std::string& supplier, double* discount) {
    m_pCatalogue->GetMainSupplier(supplier, discount);
}
