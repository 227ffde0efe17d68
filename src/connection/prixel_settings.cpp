#include "connection/prixel_settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "host/paths.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

constexpr const char* kSection = "PrixelCustomerKey";
constexpr const char* kCustomerNumber = "CustomerNumber";
constexpr const char* kServerAddr = "ServerAddr";
constexpr const char* kRightsString = "RightsString";
constexpr const char* kNavigateTimeout = "NavigateTimeout";

std::string ReadKey(const char* key, const char* defaultValue) {
    return profile::GetString(PrixelIniPath(), kSection, key, defaultValue);
}

// Reads a decimal integer the way the C runtime's strtol does, clamped to an int.
int LeadingInteger(const std::string& value, int fallback) {
    const char* start = value.c_str();
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(start, &end, 10);
    if (end == start) return fallback;
    if (number > INT_MAX) return INT_MAX;
    if (number < INT_MIN) return INT_MIN;
    return static_cast<int>(number);
}

}  // namespace

std::string PrixelIniPath() {
    return CParPath::sCurrentPath + "Prixel.ini";
}

CPrixelSettings::CPrixelSettings() {
    if (auto name = sys::GetComputerName()) m_strComputerName = *name;
}

CPrixelSettings::~CPrixelSettings() = default;

void CPrixelSettings::Load() {
    m_strCustomerNumber = ReadKey(kCustomerNumber, "");
    m_strServerAddr = ReadKey(kServerAddr, PRIXEL_DEFAULT_HOST);
    m_strRightsString = ReadKey(kRightsString, "");
}

void CPrixelSettings::Save() {
    const std::string path = PrixelIniPath();
    profile::WriteString(path, kSection, kCustomerNumber, m_strCustomerNumber);
    profile::WriteString(path, kSection, kServerAddr, m_strServerAddr);
    profile::WriteString(path, kSection, kRightsString, m_strRightsString);
}

void CPrixelSettings::SetFromHeader(std::string line) {
    const std::vector<std::string> parts = text::Split(line, ':');
    std::string* fields[] = {&m_strCustomerNumber, &m_strComputerName, &m_strServerAddr,
                             &m_strRightsString};
    for (size_t i = 0; i < parts.size() && i < std::size(fields); ++i) *fields[i] = parts[i];
    m_strCustomerNumber = text::TrimLeft(m_strCustomerNumber, "!");
    Save();
}

std::string CPrixelSettings::GetIdentity() const {
    return m_strCustomerNumber + ":" + m_strComputerName + ":" + m_strServerAddr + ":" +
           m_strRightsString;
}

void CPrixelSettings::ResetForRecording() {
    Load();
    if (m_strServerAddr == PRIXEL_ALTERNATE_HOST) m_strServerAddr.clear();
    m_strCustomerNumber.clear();
    m_strRightsString.clear();
}

int GetNavigateTimeout() {
    return LeadingInteger(ReadKey(kNavigateTimeout, "10000"), PRIXEL_DEFAULT_TIMEOUT);
}
