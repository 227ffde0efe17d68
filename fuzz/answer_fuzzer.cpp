// A saved page as the service's answer: the envelope cut out of it, the header line taken into
// the settings (and Prixel.ini), and the body walked line by line into its TAB-separated fields,
// as the import and the up-to-date check split it.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "host/paths.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (CParPath::sCurrentPath.empty()) {
        char folder[] = "/dev/shm/prixel-fuzz-XXXXXX";
        CParPath::sCurrentPath = std::string(mkdtemp(folder)) + "/";
    }
    const CPrixelAnswer answer(PageText(std::string(reinterpret_cast<const char*>(data), size)));
    CPrixelSettings settings;
    settings.SetFromHeader(answer.GetHeaderLine());
    settings.GetIdentity();
    const std::string body = answer.GetAnswerBody();
    for (std::size_t start = 0, end = body.find("\r\n"); end != std::string::npos;
         start = end + 2, end = body.find("\r\n", start)) {
        for (const std::string& field : text::Split(body.substr(start, end - start), '\t')) {
            text::Trim(field);
        }
    }
    return 0;
}
