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
    std::string bundle = systemCaFile.empty() ? std::string() : ReadFile(systemCaFile);
    return bundle + "\n" + ReadFile(extra);
}
