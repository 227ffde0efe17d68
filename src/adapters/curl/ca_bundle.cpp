#include "adapters/curl/ca_bundle.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::optional<std::string> CombinedCaBundle(const std::string& systemCaFile) {
    const char* extra = std::getenv("PRIXEL_CA_FILE");
    if (extra == nullptr || *extra == '\0') return std::nullopt;
    // Read once for the process's life while the files named stay the same: every navigation
    // asks for it.
    static std::string cachedFiles;
    static std::string cachedBundle;
    const std::string files = systemCaFile + '\n' + extra;
    if (files != cachedFiles) {
        const std::string system = systemCaFile.empty() ? std::string() : ReadFile(systemCaFile);
        cachedBundle = system + "\n" + ReadFile(extra);
        cachedFiles = files;
    }
    return cachedBundle;
}
