#include "import/family.h"

#include <algorithm>
#include <vector>

#include "import/import_walk.h"
#include "platform/text.h"

namespace {

constexpr char kFieldSeparator = '|';
constexpr int kMaxLevels = 10;

// The keys of a path's levels, the maker's first, down to the level before the first empty key.
std::vector<std::string> KeysOfLevels(const std::string& maker, const std::string& keys) {
    const std::vector<std::string> fields = text::Split(keys, kFieldSeparator);
    const auto firstEmpty = std::find(fields.begin(), fields.end(), std::string());
    const int levels = std::min(static_cast<int>(firstEmpty - fields.begin()) + 1, kMaxLevels);
    std::vector<std::string> levelKeys{maker};
    for (int i = 1; i < levels; ++i) levelKeys.push_back(text::Trim(fields[i - 1]));
    return levelKeys;
}

// The key each level's family carries: its own after its parent's, each ended by a dot.
std::vector<std::string> Chained(const std::string* keys, int levels) {
    std::vector<std::string> chained;
    std::string key;
    for (int i = 0; i < levels; ++i) chained.push_back(key += keys[i] + ".");
    return chained;
}

}  // namespace

CFamilyPath::CFamilyPath()
    : m_pKeys(std::make_unique<std::string[]>(1)), m_pLabels(std::make_unique<std::string[]>(1)) {}

CFamilyPath::CFamilyPath(int type, std::string maker, std::string keys, std::string labels) {
    m_nType = type;
    std::vector<std::string> levelKeys = KeysOfLevels(maker, keys);
    const std::vector<std::string> labelFields = text::Split(labels, kFieldSeparator);
    m_nLevels = static_cast<int>(levelKeys.size());
    m_pKeys = std::make_unique<std::string[]>(m_nLevels);
    m_pLabels = std::make_unique<std::string[]>(m_nLevels);
    std::move(levelKeys.begin(), levelKeys.end(), m_pKeys.get());
    m_pLabels[0] = maker;
    for (int i = 1; i < m_nLevels; ++i) {
        const std::size_t field = static_cast<std::size_t>(i - 1);
        if (field < labelFields.size()) m_pLabels[i] = text::Trim(labelFields[field]);
    }
}

std::string CFamilyPath::GetLabel() {
    return m_pLabels[m_nLevels - 1];
}

std::vector<std::string> CFamilyPath::LevelKeys() const {
    return Chained(m_pKeys.get(), m_nLevels);
}

std::vector<std::string> CFamilyPath::LevelKeys(const std::string& maker, const std::string& keys) {
    const std::vector<std::string> levelKeys = KeysOfLevels(maker, keys);
    return Chained(levelKeys.data(), static_cast<int>(levelKeys.size()));
}

void CFamilyPath::EnsureFamily() {
    std::string parent = "@";
    const std::vector<std::string> keys = LevelKeys();
    for (int i = 0; i < m_nLevels; ++i) {
        if (!EnsureLevel(i, keys[i], parent)) return;
    }
    m_strCode = parent;
}

// Finds or creates level i's family under parent, which then becomes its code; false when it
// could be neither. A walk over an answer looks each family up once, and none that it read ahead
// to be missing.
bool CFamilyPath::EnsureLevel(int i, const std::string& key, std::string& parent) {
    CImportWalk* walk = CImportWalk::Current();
    if (const std::string* kept = walk ? walk->FamilyCode(m_nType, key) : nullptr) {
        parent = *kept;
        return true;
    }
    std::string code;
    const bool missing =
        walk && m_nType == PRIXEL_FAMILY_MATERIALS && walk->TakeWithoutRows("Famille", key);
    const int found = missing ? 1 : FindFamily(code, key);
    if (found == 2) return false;
    if (found == 1) {
        code = CreateFamily(parent, m_pLabels[i], key);
        if (code.empty()) return false;
    }
    if (walk) walk->KeepFamily(m_nType, key, code);
    parent = code;
    return true;
}

int CFamilyPath::FindFamily(std::string& code, std::string key) {
    return FindByKey(code, key);
}
