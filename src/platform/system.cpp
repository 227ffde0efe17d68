#include "platform/system.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string_view>

#include "platform/text.h"

namespace sys {

namespace {

constexpr int kComputerNameLength = 15;

Version& HostVersion() {
    static Version version{};
    return version;
}

}  // namespace

std::optional<std::string> GetComputerName() {
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0) return std::nullopt;
    std::string_view name(host);
    name = name.substr(0, name.find('.')).substr(0, kComputerNameLength);
    if (name.empty()) return std::nullopt;
    return text::MakeUpper(name);
}

void SetHostVersion(const Version& version) {
    HostVersion() = version;
}

Version GetHostVersion() {
    return HostVersion();
}

int Access(const std::string& path, int mode) {
    return ::access(text::ToUtf8(path).c_str(), mode == 4 ? R_OK : F_OK);
}

int Rand() {
    return std::rand();
}

void SeedRand(unsigned seed) {
    std::srand(seed);
}

}  // namespace sys
