// Maker lines of the up-to-date check's answer against a library that knows three makers, each
// with linked materials: the walk fills at most the array it is given, every maker it reports out
// of date holds its out-of-date references, and no exception leaves it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>
#include <vector>

#include "connection/prixel_answer.h"
#include "fuzz_company.h"
#include "import/prixel_maker.h"

namespace {

constexpr const char* kAnswerStart = "<BODY><PRE>C1:PC:srv.example:R\r\n";
constexpr const char* kAnswerEnd = "</PRE></BODY>";

// An article record of maker id (prefix), 30 fields.
std::string Article(const std::string& id, const std::string& prefix, const std::string& ref) {
    std::vector<std::string> fields(30);
    fields[0] = id;
    fields[1] = prefix;
    fields[2] = ref;
    fields[3] = "Article " + ref;
    fields[5] = "20130415";
    fields[6] = "10";
    std::string line;
    for (const std::string& field : fields) line += field + "\t";
    line.back() = '\r';
    return line + "\n";
}

// Three makers with two linked materials each, brought in once.
void BringMakers() {
    static bool brought = false;
    if (brought) return;
    brought = true;
    fuzz::StartInput({});
    std::string records;
    for (const char* maker : {"M1", "M2", "M3"}) {
        const std::string prefix = std::string("P") + maker;
        records += Article(maker, prefix, "A") + Article(maker, prefix, "B");
    }
    std::list<std::string> codes;
    if (CPrixelAnswer(kAnswerStart + records + kAnswerEnd).ImportAnswer(codes, true) != 6) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::OpenCompany();
    BringMakers();
    fuzz::StartInput({});
    const CPrixelAnswer answer(kAnswerStart +
                               std::string(reinterpret_cast<const char*>(data), size) + kAnswerEnd);
    const int capacity = static_cast<int>(CPrixelMaker().CountMakers());
    std::vector<CPrixelMaker> makers(static_cast<std::size_t>(capacity));
    const int outdated = answer.ParseMakerLines(makers.data(), capacity);
    if (outdated < 0 || outdated > capacity) std::abort();
    for (int i = 0; i < outdated; ++i) {
        const CPrixelMaker& maker = makers[static_cast<std::size_t>(i)];
        if (maker.GetOutdatedCount() <= 0 || maker.GetOutdatedRefs() == nullptr) std::abort();
    }
    return 0;
}
