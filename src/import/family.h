#pragma once
// The families of the service library's tree (table Famille of Bib.mdb) and their link to the
// keys under which the service and the import files know them (column CodePrixel). A family's
// library code is its parent's code followed by two random letters or digits; the root is "@".
//
// Each object holds its own connection to Bib.mdb for its whole life. Database failures are shown
// to the user where they happen and never reach the caller.

#include <memory>
#include <string>
#include <vector>

#include "import/prixel_object.h"

class CDaoDatabase;
class CBibFamSet;

// Family types written into the Type column.
constexpr int PRIXEL_FAMILY_WORKS = 500;
constexpr int PRIXEL_FAMILY_MATERIALS = 10000;

// One character of a family's code: a letter or a digit drawn from the C runtime's generator.
char DrawCodeCharacter();

class CFamilyLink : public CPrixelObject {
  public:
    CFamilyLink();
    ~CFamilyLink() override;
    CFamilyLink(const CFamilyLink&) = delete;
    CFamilyLink& operator=(const CFamilyLink&) = delete;

    virtual std::string GetLabel() = 0;
    // Creates the families that are missing.
    virtual void EnsureFamily() = 0;

    // The library code a path resolved to; empty when it was not resolved.
    std::string GetCode();
    // Opens the families recordset as a dynaset on sql; false, the failure shown, when it fails.
    bool OpenFamilies(std::string sql);
    // parent followed by two random letters or digits.
    std::string MakeChildCode(std::string parent);

  protected:
    // 0 and code set when a family of this type carries key, 1 when none does, 2 when the query
    // failed. The recordset then stands on the family found.
    int FindByKey(std::string& code, std::string key);
    // Adds a family under parent, ranked after its last sibling, with a fresh code. The new code,
    // or empty when the family was not stored (too deep, or the database refused it).
    std::string CreateFamily(std::string parent, std::string label, std::string key);

    int m_nType = 0;
    std::string m_strCode;
    std::unique_ptr<CDaoDatabase> m_pDatabase;
    std::unique_ptr<CBibFamSet> m_pFamSet;

  private:
    bool OpenFamiliesWith(const char* query, const std::string& value);
    bool OpenSiblings(const std::string& parent, short& rank);
    bool StoreWithFreshCode(const std::string& parent, std::string& code);
    bool StoredByAnother(std::string& code);
};

// A family read from one line of an import file, or named by its key alone.
class CFamilyEntry : public CFamilyLink {
  public:
    std::string GetLabel() override;
    // 0 and code set when the family of m_strServiceCode exists, 1 when not, 2 on a failed query.
    virtual int FindFamily(std::string& code);
    // Whether line has exactly m_nFieldCount fields separated by '|'.
    virtual bool CheckFieldCount(std::string line);

  protected:
    // Whether the family is absent and has the key and label needed to create it.
    bool CanCreate();

    short m_nFieldCount = 0;
    std::string m_strServiceCode;
    std::string m_strLabel;
};

// A family hanging under the family of another key ("-1": under the root).
class CChildFamilyEntry : public CFamilyEntry {
  public:
    CChildFamilyEntry();
    CChildFamilyEntry(int type, std::string serviceCode, std::string label);

    void EnsureFamily() override;
    // The library code of the parent family; "@" for the root, or when it cannot be found.
    virtual std::string FindParentCode();
    // The library code of the family of m_strServiceCode, its label replacing m_strLabel; "@",
    // the label kept, when there is none.
    std::string LookupCode();

  protected:
    std::string m_strParentServiceCode;
};

// A trade: a line of 9 fields (key, label, ...), always created at the top level.
class CTradeFamily : public CFamilyEntry {
  public:
    CTradeFamily(int type, std::string line);

    void EnsureFamily() override;
};

// A family of works: a line of 8 fields (key, trade key, parent key or "-1", label, ...).
class CWorkFamily : public CChildFamilyEntry {
  public:
    CWorkFamily(int type, std::string line);
};

// The family path of an article: the maker, then the service's sub-families, each level's key
// being the keys of all levels down to it, each followed by '.'.
class CFamilyPath : public CFamilyLink {
  public:
    // One level with an empty key and label.
    CFamilyPath();
    // keys and labels: '|'-separated; the levels end at the first empty key, 10 levels at most.
    CFamilyPath(int type, std::string maker, std::string keys, std::string labels);

    // The label of the deepest level.
    std::string GetLabel() override;
    // The key of each level, from the maker's down.
    std::vector<std::string> LevelKeys() const;
    // The same for the path of a maker and its family codes, without making the path (which opens
    // the library).
    static std::vector<std::string> LevelKeys(const std::string& maker, const std::string& keys);
    // Finds or creates every level; GetCode then gives the deepest family's code.
    void EnsureFamily() override;
    virtual int FindFamily(std::string& code, std::string key);

  private:
    bool EnsureLevel(int i, const std::string& key, std::string& parent);

    int m_nLevels = 1;
    std::unique_ptr<std::string[]> m_pKeys;
    std::unique_ptr<std::string[]> m_pLabels;
};
