#pragma once
// The writers of the rows that a works import adds to the service library: a work of the works
// file into BOUV, and the labour material of an import prefix into BXMX. Each writer is built
// for one row, adds it when it is absent and never changes a row that exists. Each holds its own
// connection to Bib.mdb for its life.

#include <memory>
#include <string>

#include "import/family.h"
#include "import/prixel_element.h"
#include "platform/text.h"
#include "resources/prixel_texts.h"

class CBibXmxSet;
class CBibOuvSet;

// Element type of the labour material of the works import.
inline constexpr int PRIXEL_TYPE_LABOUR = 24001;

// A row made from a line of an import file, or from given values, looked up and added through
// the writer's recordset on its table.
class CTextImportWriter : public CPrixelDbWriter {
  public:
    // Opens the service library; a library that cannot be opened raises its CDaoException.
    explicit CTextImportWriter(const char* table);
    ~CTextImportWriter() override;

    // Whether line has exactly m_nFieldCount fields.
    virtual bool CheckFieldCount(std::string line);

    // Adds the row when the code is not empty and the lookup finds no row; true only when a row
    // was added.
    bool Process() override;
    // Lookup of the writer's type and code (cut to 18 characters) in its table; the state is kept.
    int Lookup() override;
    bool OpenQuery(std::string sql) override;

  protected:
    static constexpr int kLabelLength = 255;
    static constexpr int kUnitLength = 3;
    static constexpr int kFamilyLabelLength = 18;

    // Makes the writer's recordset on its connection; the writer keeps it and closes it.
    template <class TSet>
    TSet& MakeRowSet();
    // Fills the members that materials and works share: type, code, label ("Libellé à définir"
    // when empty), unit, update date (today), the family found among the families of familyType
    // ("@" and an empty label when there is none) and the company's profile for the type.
    template <class TSet>
    void FillElement(TSet& set, int familyType);

    short m_nFieldCount = 0;
    int m_nType = 0;
    std::string m_strLabel;
    std::string m_strFamilyCode;
    std::string m_strUnit;

  private:
    const char* m_szTable;
    std::unique_ptr<CDaoRecordset> m_pRowSet;
};

// The labour material of an import prefix, in BXMX.
class CImportedMaterialWriter : public CTextImportWriter {
  public:
    CImportedMaterialWriter(int type, std::string code, std::string label, std::string unit);

    void FillRecord() override;

  private:
    CBibXmxSet& m_materialSet;
};

// A work of the works file (13 fields: code, family, -, -, unit, label, -, -, -, two labour
// times, -, -), in BOUV under the import prefix.
class CImportedWorkWriter : public CTextImportWriter {
  public:
    // A line with the wrong number of fields leaves the code empty: Process then adds nothing.
    CImportedWorkWriter(int type, std::string prefix, std::string line);

    void FillRecord() override;

    std::string GetLabourTime1() const { return m_strLabourTime1; }
    std::string GetLabourTime2() const { return m_strLabourTime2; }

  private:
    std::string m_strLabourTime1;
    std::string m_strLabourTime2;
    CBibOuvSet& m_workSet;
};

template <class TSet>
TSet& CTextImportWriter::MakeRowSet() {
    auto set = std::make_unique<TSet>(m_pDatabase, 2, 1);
    TSet& made = *set;
    m_pRowSet = std::move(set);
    return made;
}

template <class TSet>
void CTextImportWriter::FillElement(TSet& set, int familyType) {
    if (m_strLabel.empty()) m_strLabel = Fr(TXT_LABEL_TO_DEFINE);
    set.m_nType = static_cast<short>(m_nType);
    set.m_strCode = m_strCode;
    set.m_strLibelle = text::Left(m_strLabel, kLabelLength);
    set.m_strUnite = text::Left(m_strUnit, kUnitLength);
    set.m_dtDateMaj = COleDateTime::Today();
    CChildFamilyEntry family(familyType, m_strFamilyCode, "");
    set.m_strCodeFamille = family.LookupCode();
    set.m_strLibFamille = text::Left(family.GetLabel(), kFamilyLabelLength);
    set.m_nProfil = static_cast<short>(GetProfile(m_nType));
    set.SetFieldDirty(&set.m_strLibFamille);
    set.SetFieldDirty(&set.m_nProfil);
}
