// Article records of the service's answers through the import, into the library or the open
// study of a company kept in memory: every article counted is written with its code, and the
// walk ends with no exception, whatever the records hold. The first byte chooses the target.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>

#include "connection/prixel_answer.h"
#include "fuzz_company.h"
#include "platform/db/query.h"

namespace {

constexpr const char* kAnswerStart = "<BODY><PRE>C1:PC:srv.example:R\r\n";
constexpr const char* kAnswerEnd = "</PRE></BODY>";

// The library holds each code written.
void CheckWritten(const std::list<std::string>& codes) {
    for (const std::string& code : codes) {
        const long rows = fuzz::CountInLibrary(
            db::FormatQuery("SELECT COUNT(*) AS n FROM BXMX WHERE Code = '%s'", code));
        if (rows != 1) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::OpenCompany();
    fuzz::StartInput({"BXMX", "Fabricant", "Famille", "Catalogue", "EXMX", "EXmxPrixel"});
    const bool toLibrary = (data[0] & 1) != 0;
    const std::string records(reinterpret_cast<const char*>(data) + 1, size - 1);
    CPrixelAnswer answer(kAnswerStart + records + kAnswerEnd);
    std::list<std::string> codes;
    const int count = answer.ImportAnswer(codes, toLibrary);
    if (count < 0 || static_cast<std::size_t>(count) != codes.size()) std::abort();
    if (toLibrary) CheckWritten(codes);
    return 0;
}
