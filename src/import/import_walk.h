#pragma once
// What one walk over an answer's articles has already read of the company's data, kept for the
// length of the walk so that no article reads it again: the company's profile of each element
// type, the makers that have their row in the service library, and the families found or created
// there by their key, with the rank of the last family it added under a parent. The walk writes the
// library in one transaction of its own; other programs (workstations sharing the library) may add
// rows meanwhile but do not take these away, so what it read stays true until it ends. One walk at
// a time, on the host's thread; outside a walk every lookup reads the database.
//
// The walk also keeps which of the answer's articles had no row in a table of the library when it
// read ahead of them. That holds until the article is written, so it answers one lookup only; a
// row that another workstation adds in between is met as a duplicate when the article adds its
// own, and the article then updates that row, as when the two meet between lookup and addition.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

class CImportWalk {
  public:
    // The walk in progress until it is destroyed.
    CImportWalk();
    ~CImportWalk();
    CImportWalk(const CImportWalk&) = delete;
    CImportWalk& operator=(const CImportWalk&) = delete;

    // The walk in progress, or null.
    static CImportWalk* Current();

    std::optional<int> Profile(int type) const;
    void KeepProfile(int type, int profile);
    bool HasMaker(const std::string& id) const;
    void KeepMaker(const std::string& id);
    // The code of the family of type that carries key, when the walk met it; else null.
    const std::string* FamilyCode(int type, const std::string& key) const;
    void KeepFamily(int type, const std::string& key, const std::string& code);
    // The rank of the last family of type under parent, when the walk added one there.
    std::optional<int> LastRank(int type, const std::string& parent) const;
    void KeepLastRank(int type, const std::string& parent, int rank);
    // table had no row for the article code when the walk read ahead.
    void KeepWithoutRows(const std::string& table, const std::string& code);
    // Whether table had no row for code, said once: the next lookup reads the database.
    bool TakeWithoutRows(const std::string& table, const std::string& code);

  private:
    CImportWalk* m_pPrevious;
    std::map<int, int> m_profiles;
    std::set<std::string> m_makers;
    std::map<std::pair<int, std::string>, std::string> m_families;
    std::map<std::pair<int, std::string>, int> m_lastRanks;
    std::set<std::pair<std::string, std::string>> m_withoutRows;
};
