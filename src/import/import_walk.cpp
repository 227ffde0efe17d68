#include "import/import_walk.h"

namespace {

CImportWalk*& Walk() {
    static CImportWalk* walk = nullptr;
    return walk;
}

}  // namespace

CImportWalk::CImportWalk() : m_pPrevious(Walk()) {
    Walk() = this;
}

CImportWalk::~CImportWalk() {
    Walk() = m_pPrevious;
}

CImportWalk* CImportWalk::Current() {
    return Walk();
}

std::optional<int> CImportWalk::Profile(int type) const {
    const auto found = m_profiles.find(type);
    if (found == m_profiles.end()) return std::nullopt;
    return found->second;
}

void CImportWalk::KeepProfile(int type, int profile) {
    m_profiles[type] = profile;
}

bool CImportWalk::HasMaker(const std::string& id) const {
    return m_makers.count(id) != 0;
}

void CImportWalk::KeepMaker(const std::string& id) {
    m_makers.insert(id);
}

const std::string* CImportWalk::FamilyCode(int type, const std::string& key) const {
    const auto found = m_families.find({type, key});
    return found == m_families.end() ? nullptr : &found->second;
}

void CImportWalk::KeepFamily(int type, const std::string& key, const std::string& code) {
    m_families[{type, key}] = code;
}

std::optional<int> CImportWalk::LastRank(int type, const std::string& parent) const {
    const auto found = m_lastRanks.find({type, parent});
    if (found == m_lastRanks.end()) return std::nullopt;
    return found->second;
}

void CImportWalk::KeepLastRank(int type, const std::string& parent, int rank) {
    m_lastRanks[{type, parent}] = rank;
}

void CImportWalk::KeepWithoutRows(const std::string& table, const std::string& code) {
    m_withoutRows.emplace(table, code);
}

bool CImportWalk::TakeWithoutRows(const std::string& table, const std::string& code) {
    return m_withoutRows.erase({table, code}) != 0;
}
