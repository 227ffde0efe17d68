#pragma once
// A maker of the service, mirrored on its Fabricant row of the service library. Each maker holds
// its own connection to Bib.mdb for its whole life.

#include <string>

#include "import/prixel_object.h"

class CDaoDatabase;
class CBibFabricantSet;

class CPrixelMaker : public CPrixelObject {
  public:
    CPrixelMaker();
    // An article's maker; tariffDate is the article's YYYYMMDD date.
    CPrixelMaker(std::string id, std::string prefix, std::string tariffDate);
    ~CPrixelMaker() override;
    CPrixelMaker(const CPrixelMaker&) = delete;
    CPrixelMaker& operator=(const CPrixelMaker&) = delete;

    // (Re)opens the Fabricant recordset on query; false, the failure shown, when it does not open.
    bool OpenMakers(std::string query);
    // 0: the maker's row exists and the recordset stands on it; 1: no row; 2: the query failed.
    int FindMaker();
    // Gives an article's maker its row when it has none; an existing row is left as it is.
    void AddIfMissing();
    long CountMakers();
    // Takes the eight TAB-separated fields of a maker line of the up-to-date answer.
    void SetFromLine(std::string line);
    // Compares the service's tariff with the maker's row and collects the references of the
    // maker's linked materials that are out of date. True when nothing needs refreshing. Database
    // failures while the row is worked go to the caller.
    bool CheckUpToDate();
    // Stores the line's tariff date and version in the row once the maker's articles are fresh.
    void MarkUpdated();

    bool IsOutdated() const { return m_nOutdatedCount != 0; }
    std::string GetId() const { return m_strId; }
    std::string GetPrefix() const { return m_strPrefix; }
    std::string GetName() const { return m_strName; }
    std::string GetTariffDate() const { return m_strTariffDate; }
    int GetOutdatedCount() const { return m_nOutdatedCount; }
    std::string* GetOutdatedRefs() const { return m_pOutdatedRefs; }

  private:
    void OpenLibrary();

    std::string* m_pOutdatedRefs = nullptr;
    int m_nOutdatedCount = 0;
    std::string m_strId;
    std::string m_strPrefix;
    std::string m_strName;
    std::string m_strTariffDate;
    std::string m_strTariffVersion;
    std::string m_strField5;
    std::string m_strField6;
    std::string m_strFullUpdate;
    CDaoDatabase* m_pDatabase = nullptr;
    CBibFabricantSet* m_pMakerSet = nullptr;
};
