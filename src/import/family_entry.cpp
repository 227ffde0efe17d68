#include "import/family.h"

#include <vector>

#include "host/recordsets.h"
#include "import/text_fields.h"

namespace {

constexpr const char* kRootCode = "@";
constexpr const char* kNoParent = "-1";
constexpr short kTradeFieldCount = 9;
constexpr short kWorkFamilyFieldCount = 8;

}  // namespace

std::string CFamilyEntry::GetLabel() {
    return m_strLabel;
}

int CFamilyEntry::FindFamily(std::string& code) {
    return FindByKey(code, m_strServiceCode);
}

bool CFamilyEntry::CheckFieldCount(std::string line) {
    return FieldCount(line) == static_cast<std::size_t>(m_nFieldCount);
}

bool CFamilyEntry::CanCreate() {
    std::string code;
    return FindFamily(code) == 1 && !m_strServiceCode.empty() && !m_strLabel.empty();
}

CChildFamilyEntry::CChildFamilyEntry() = default;

CChildFamilyEntry::CChildFamilyEntry(int type, std::string serviceCode, std::string label) {
    m_nType = type;
    m_strServiceCode = std::move(serviceCode);
    m_strLabel = std::move(label);
}

void CChildFamilyEntry::EnsureFamily() {
    if (!CanCreate()) return;
    const std::string parent = FindParentCode();
    if (parent.empty()) return;
    CreateFamily(parent, m_strLabel, m_strServiceCode);
}

std::string CChildFamilyEntry::FindParentCode() {
    if (m_strParentServiceCode == kNoParent) return kRootCode;
    std::string code;
    if (FindByKey(code, m_strParentServiceCode) != 0) return kRootCode;
    return code;
}

std::string CChildFamilyEntry::LookupCode() {
    if (m_strServiceCode.empty()) return kRootCode;
    std::string code;
    if (FindByKey(code, m_strServiceCode) != 0) return kRootCode;
    m_strLabel = m_pFamSet->m_strLibelle;
    return code;
}

CTradeFamily::CTradeFamily(int type, std::string line) {
    m_nType = type;
    m_nFieldCount = kTradeFieldCount;
    if (!CheckFieldCount(line)) return;
    const std::vector<std::string> fields = TrimmedFields(line);
    m_strServiceCode = fields[0];
    m_strLabel = fields[1];
}

void CTradeFamily::EnsureFamily() {
    if (!CanCreate()) return;
    CreateFamily(kRootCode, m_strLabel, m_strServiceCode);
}

CWorkFamily::CWorkFamily(int type, std::string line) {
    m_nType = type;
    m_nFieldCount = kWorkFamilyFieldCount;
    if (!CheckFieldCount(line)) return;
    const std::vector<std::string> fields = TrimmedFields(line);
    m_strServiceCode = fields[0];
    m_strParentServiceCode = fields[2] == kNoParent ? fields[1] : fields[2];
    m_strLabel = fields[3];
}
