#pragma once
// The library materials target: writes an article of the service into BXMX of the service
// library, with its family, its maker and its supplier prices, and links the row to the service.
// It also lists a maker's linked articles for the up-to-date check.

#include <string>

#include "import/prixel_element.h"

class CBibXmxSet;
class CFamilyPath;
class CPrixelMaker;

class CPrixelBibMxElement : public CPrixelElement {
  public:
    // An empty article, for GetLinkedArticles.
    CPrixelBibMxElement();
    // The article of an answer line. Opens the service library; a library that cannot be opened
    // raises its CDaoException to the caller.
    explicit CPrixelBibMxElement(const std::string& line);
    ~CPrixelBibMxElement() override;

    // Adds the article's row, or updates it; then the maker and the supplier prices.
    bool Process() override;
    int Lookup() override;
    void FillRecord() override;
    bool OpenQuery(std::string sql) override;
    // Unlinks the article's row when it is linked; the row itself stays.
    void Unlink() override;
    bool UpdateRecord() override;
    bool AddRecord() override;

    // The references of the maker's linked articles whose tariff date is not date (DD/MM/YYYY;
    // empty: all of them), into a new array that the caller deletes. -1 when the maker has no
    // linked article at all; 0, references untouched, when none differs or the query fails.
    int GetLinkedArticles(std::string makerId, std::string date, std::string*& references);

  private:
    enum class Narrowed { kRows, kNone, kFailed };

    void OpenLibrary();
    // Opens the materials on a query of a maker and a date without telling a failure.
    Narrowed OpenQuietly(const std::string& format, const std::string& makerId,
                         const std::string& date);
    // The references of the rows from the current one to the end, into a new array; the count.
    int ReadReferences(std::string*& references);
    // The values that the family path, the maker and the catalogue put into their queries; a
    // value no query accepts stops the article before anything is read or written.
    bool QueryValuesAccepted() const;
    bool HasRows() const;
    // Whether the walk in progress read that the article has no row; the recordset is then open
    // for adding it.
    bool KnownWithoutRow();
    bool ResolveFamily();

    CFamilyPath* m_pFamilyPath = nullptr;
    CPrixelMaker* m_pMaker = nullptr;
    CBibXmxSet* m_pMaterialSet = nullptr;
};
