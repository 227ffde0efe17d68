#pragma once
// The writers of one row of one table, and the article of a service answer that the library and
// study targets write.
//
// An answer's article is one line of 30 TAB-separated fields; the article code is the maker's
// prefix followed by the maker's reference. Each element opens what it needs when it is built and
// closes it when it is destroyed.

#include <array>
#include <string>
#include <string_view>

#include "import/prixel_object.h"
#include "platform/db/dao.h"
#include "platform/db/query.h"
#include "platform/db/value.h"
#include "platform/oledate.h"

class CSupplierCatalogue;

// Element types, as the Type columns hold them.
inline constexpr int PRIXEL_TYPE_MATERIAL = 10001;
inline constexpr int PRIXEL_TYPE_WORK = 501;

// What the last lookup of a writer found.
enum PrixelLookupState {
    PrixelLinkedRow = 0,    // the row exists and is linked to the service
    PrixelNoRow = 1,        // there is no row for the code
    PrixelUnlinkedRow = 2,  // the row exists and is not linked
    PrixelNoQuery = 3,      // the query could not be opened, or no lookup ran yet
};

class CPrixelDbWriter : public CPrixelObject {
  public:
    CPrixelDbWriter();
    ~CPrixelDbWriter() override;
    CPrixelDbWriter(const CPrixelDbWriter&) = delete;
    CPrixelDbWriter& operator=(const CPrixelDbWriter&) = delete;

    virtual bool Process() = 0;
    virtual int Lookup() = 0;
    virtual void FillRecord() = 0;
    virtual bool OpenQuery(std::string sql) = 0;

    std::string GetCode() const { return m_strCode; }
    // The company's default profile for elements of type (501 works, 10001 materials), read from
    // ParamCompta; 0 when there is none or it cannot be read (the failure is shown).
    int GetProfile(int type);

  protected:
    // Formats the query and opens it; a value the query refuses is shown like a failed query.
    template <class... Args>
    bool OpenFormatted(std::string_view format, const Args&... args);
    // Shows a query that could not be built; answers false.
    static bool RefusedQuery(const CDaoException& e);
    // Adds a new row to set (newRow) or rewrites its current row, filled by FillRecord; a database
    // failure is shown and answers false.
    bool StoreRow(CDaoRecordset& set, bool newRow);
    // The same, the failure thrown as its CDaoException.
    void WriteRow(CDaoRecordset& set, bool newRow);

    std::string m_strCode;
    CDaoDatabase* m_pDatabase;  // created closed; the writer's own connection
    int m_nLookupState = PrixelNoQuery;
};

class CPrixelElement : public CPrixelDbWriter {
  public:
    // The fields of an article line, in their order.
    enum Field {
        MakerId,
        MakerPrefix,
        Reference,
        Label,
        Unused4,
        TariffDate,
        ListPrice,
        Unit,
        Unused8,
        Unused9,
        Packaging,
        PackQuantity,
        DiscountFamilyCode,
        DiscountFamilyLabel,
        FamilyCodes,
        FamilyLabels,
        Ean,
        SecondValue,
        Availability,
        WarrantyMonths,
        Weight,
        Length,
        Width,
        Height,
        OldCode,
        SupplierData1,
        SupplierData2,
        SupplierData3,
        SupplierData4,
        FixedPriceFlag,
        FieldCount
    };

    CPrixelElement();
    // Splits an article line; a line of fewer than 30 fields gives an article with every field
    // and the code empty.
    explicit CPrixelElement(const std::string& line);
    ~CPrixelElement() override;
    // The trimmed fields of an article line; all empty for a line of fewer than 30 fields.
    static std::array<std::string, FieldCount> SplitLine(const std::string& line);

    virtual void Unlink() = 0;
    virtual bool UpdateRecord() = 0;
    virtual bool AddRecord() = 0;

    const std::string& GetField(Field field) const { return m_strFields[field]; }
    std::string GetListPrice() const { return m_strFields[ListPrice]; }
    // False for a withdrawn article (its row is unlinked) and for references of a wrong length
    // (told to the user).
    bool ValidateElement();

    // The rich-text form in which notes are stored.
    static std::string ToRtf(std::string text);
    // The host's default coefficients for materials; left as they are when it has none.
    static void GetTypeCoefficients(double& overhead, double& sale);
    // Keeps the price quantities of a row consistent, from the list price to the sale price.
    static void ComputePrices(double& overhead, double& saleCoefficient, double& listPrice,
                              double& discount, double& netCost, double& surchargeAmount,
                              double& surchargePercent, double& costBase, double& costPrice,
                              double& salePrice, bool surchargeIncluded, bool surchargeAmountGiven,
                              bool salePriceGiven);

    // The article's technical note, one line for each of its descriptive fields.
    std::string TechnicalNote() const;
    double ReadListPrice() const { return ReadNumber(m_strFields[ListPrice]); }
    double ReadSecondValue() const { return ReadNumber(m_strFields[SecondValue]); }
    // The tariff date, given as YYYYMMDD; the zero date when it is not a date.
    COleDateTime ReadTariffDate() const;
    // Today's date, without the time of day.
    static COleDateTime ReadToday();

  protected:
    // A note as a long binary: the rich text and its terminating zero.
    static db::Bytes NoteBytes(const std::string& text);
    // The members written on every fill, those written when the row is being linked, and the
    // price chain on the row as the fill left it. TSet is one of the host's materials recordsets.
    template <class TSet>
    void FillAlways(TSet& set);
    template <class TSet>
    void FillFirstLink(TSet& set);
    template <class TSet>
    void ComputeRowPrices(TSet& set);

    std::array<std::string, FieldCount> m_strFields;
    CSupplierCatalogue* m_pCatalogue;

  private:
    static double ReadNumber(const std::string& text);
    // The label, "Libellé à définir" when the service sent none.
    const std::string& LabelOrDefault();
    void GetMainSupplier(std::string& supplier, double* discount);
};

template <class... Args>
bool CPrixelDbWriter::OpenFormatted(std::string_view format, const Args&... args) {
    std::string sql;
    try {
        sql = db::FormatQuery(format, args...);
    } catch (const CDaoException& e) {
        return RefusedQuery(e);
    }
    return OpenQuery(sql);
}

template <class TSet>
void CPrixelElement::FillAlways(TSet& set) {
    set.m_nType = PRIXEL_TYPE_MATERIAL;
    set.m_strCode = m_strCode;
    set.m_strLibelle = LabelOrDefault().substr(0, 255);
    set.m_NoteTechnique = NoteBytes(TechnicalNote());
    set.m_strUnite = m_strFields[Unit].substr(0, 3);
    set.m_dPrixTarif = ReadListPrice();
    set.m_dtDateMaj = ReadToday();
    set.m_strCodeEAN = m_strFields[Ean];
    set.m_dValeur2 = ReadSecondValue();
    set.m_bPrixelCheck = true;
    set.m_dtPrixelDate = ReadTariffDate();
}

template <class TSet>
void CPrixelElement::FillFirstLink(TSet& set) {
    set.m_NoteLibelle = NoteBytes(set.m_strLibelle);
    set.m_strPrixelFabricantID = m_strFields[MakerId];
    set.m_strPrefixeFabricant = m_strFields[MakerPrefix];
    set.m_strReference = m_strFields[Reference];
    set.m_dRemise = 0.0;
    GetMainSupplier(set.m_strFournisseur, &set.m_dRemise);
    set.m_bMajIncluse = false;
    set.m_bMajEnMontant = false;
    set.m_bPVImpose = false;
    if (!m_strFields[FixedPriceFlag].empty()) {
        set.m_dPrixVente = set.m_dPrixTarif;
        set.m_bPVImpose = true;
    }
    GetTypeCoefficients(set.m_dCoefFG, set.m_dCoefVente);
}

template <class TSet>
void CPrixelElement::ComputeRowPrices(TSet& set) {
    ComputePrices(set.m_dCoefFG, set.m_dCoefVente, set.m_dPrixTarif, set.m_dRemise, set.m_dPrixNet,
                  set.m_dMajMontant, set.m_dMajPourcent, set.m_dPrixBase, set.m_dPrixRevient,
                  set.m_dPrixVente, set.m_bMajIncluse, set.m_bMajEnMontant, set.m_bPVImpose);
}
