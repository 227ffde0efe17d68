#pragma once
// The suppliers of one article of the service, with their prices: written as Catalogue rows of the
// service library once the article is stored there, and the first of them given to the material
// writers. Holds its own connection to Bib.mdb for its whole life.

#include <string>
#include <vector>

#include "import/prixel_object.h"

class CDaoDatabase;
class CCataSet;

class CSupplierCatalogue : public CPrixelObject {
  public:
    // An article without suppliers.
    CSupplierCatalogue();
    // The lists hold one entry per supplier, separated by '|'; the suppliers are those of the
    // suppliers list up to its first empty entry. tariffDate is YYYYMMDD.
    CSupplierCatalogue(int type, std::string code, std::string makerPrefix, std::string tariffDate,
                       std::string listPrice, std::string packQuantity, std::string amounts,
                       std::string suppliers, std::string extras, std::string coefficients);
    ~CSupplierCatalogue() override;
    CSupplierCatalogue(const CSupplierCatalogue&) = delete;
    CSupplierCatalogue& operator=(const CSupplierCatalogue&) = delete;

    // Adds or rewrites the row of each supplier; a supplier whose row fails is told to the user
    // and the others are still written.
    void Write();
    // The first supplier and its discount percent (empty and 0.0 without suppliers). The
    // discount goes through the pointer only when the host puts supplier discounts into materials.
    void GetMainSupplier(std::string& supplier, double* discount);

  private:
    void OpenLibrary();
    bool OpenCatalogue(std::string sql);
    // 0: supplier i has its row and the recordset stands on it; 1: no row; 2: no such supplier,
    // or the query failed.
    int FindRow(int i);
    void AddRow(int i);
    // Sets m_nOrder after the article's last row, read once: the rows this object adds then follow
    // one another without reading the article's rows again.
    bool ReadNextOrder();
    // Reads the article's rows, as ReadNextOrder does, before any supplier is looked up; a query
    // that fails is not told.
    void ReadRowsQuietly();
    void TakeNextOrder();
    bool KnownAbsent(int i) const;
    // Whether the article has several suppliers and none of them can have a row yet.
    bool AllKnownAbsent() const;
    // Adds the rows of every supplier in one go; false when they were not stored.
    bool AddAllRows();
    void UpdateRow(int i);
    void FillRow(int i);
    double Discount(int i) const;

    int m_nCount = 0;
    int m_nType = 0;
    int m_nOrder = 1;
    bool m_bOrderRead = false;
    bool m_bHadNoRows = false;
    std::vector<std::string> m_added;  // the suppliers of the rows this object added
    std::string m_strCode;
    std::string m_strMakerPrefix;
    std::string m_strTariffDate;
    std::string m_strListPrice;
    std::string m_strPackQuantity;
    std::string* m_pSupplierAmounts = nullptr;
    std::string* m_pSuppliers = nullptr;
    std::string* m_pSupplierExtras = nullptr;
    std::string* m_pCoefficients = nullptr;
    CDaoDatabase* m_pDatabase = nullptr;
    CCataSet* m_pCataSet = nullptr;
};
