// The profile file reader on any file, and the writer's promise: an entry it accepts reads back
// as it was written (a value with no blanks around it, no quotes and shorter than the read
// buffer, which reading would change). The input's first line is the value written, the rest the
// file's content.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/profile.h"
#include "platform/text.h"

namespace {

bool ReadsBackUnchanged(const std::string& value) {
    return value == text::Trim(value) && value.find_first_of("\"'") == std::string::npos &&
           value.size() < static_cast<std::size_t>(profile::kBufferSize);
}

const std::string& FilePath() {
    static const std::string path = [] {
        char folder[] = "/dev/shm/prixel-fuzz-XXXXXX";
        return std::string(mkdtemp(folder)) + "/Prixel.ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    const std::string value = input.substr(0, lineEnd);
    const std::string content = lineEnd == std::string::npos ? "" : input.substr(lineEnd + 1);
    std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << content;
    profile::GetString(FilePath(), "PrixelCustomerKey", "ServerAddr", "");
    profile::GetString(FilePath(), "PrixelCustomerKey", "NavigateTimeout", " 10000 ");
    if (profile::WriteString(FilePath(), "PrixelCustomerKey", "CustomerNumber", value) &&
        ReadsBackUnchanged(value) &&
        profile::GetString(FilePath(), "PrixelCustomerKey", "CustomerNumber", "") != value) {
        std::abort();
    }
    return 0;
}
