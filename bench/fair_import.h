#pragma once
// The fair bound of the article import: what an ideal import of the same answer must do, written
// with plain prepared SQLite statements in one transaction. Per article: the material lookup, the
// family path's lookups with the missing levels added, the full BXMX row with its notes and
// prices, the maker's lookup and row, one read of the article's supplier rows and a row per new
// supplier. It writes the rows the import writes, family codes included when both start from the
// same random seed.

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

class FairImport {
  public:
    // The library file, and the company's profile of materials, read once by the caller.
    FairImport(const std::string& library, int profile);
    ~FairImport();
    FairImport(const FairImport&) = delete;
    FairImport& operator=(const FairImport&) = delete;

    // Writes every article line of an answer's body (CP1252); answers how many were written.
    int Run(std::string_view body);

  private:
    using Fields = std::vector<std::string>;

    bool WriteArticle(const Fields& f);
    // The code of the deepest family of the article's path, each missing level added; label
    // takes the deepest level's label.
    std::string FamilyPath(const Fields& f, std::string& label);
    std::string AddFamily(const std::string& parent, const std::string& label,
                          const std::string& key);
    void WriteMaterial(const Fields& f, const std::string& family, const std::string& familyLabel);
    void WriteMaker(const Fields& f);
    void WriteSuppliers(const Fields& f);

    sqlite3* m_db = nullptr;
    int m_nProfile;
    sqlite3_stmt* m_material = nullptr;
    sqlite3_stmt* m_family = nullptr;
    sqlite3_stmt* m_lastSibling = nullptr;
    sqlite3_stmt* m_addFamily = nullptr;
    sqlite3_stmt* m_addMaterial = nullptr;
    sqlite3_stmt* m_maker = nullptr;
    sqlite3_stmt* m_addMaker = nullptr;
    sqlite3_stmt* m_supplierRows = nullptr;
    sqlite3_stmt* m_addSupplier = nullptr;
};
