#include "platform/diagnostic_log.h"

#include "platform/text.h"

namespace diag {
namespace {

std::shared_ptr<Sink>& Current() {
    static std::shared_ptr<Sink> sink;
    return sink;
}

std::string OneLine(std::string line) {
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    return line;
}

}  // namespace

std::shared_ptr<Sink> ReplaceSink(std::shared_ptr<Sink> sink) {
    std::shared_ptr<Sink> previous = std::move(Current());
    Current() = std::move(sink);
    return previous;
}

void Write(const std::string& folder, const std::string& line) {
    if (folder.empty() || !Current()) return;
    Current()->Write(text::ToUtf8(folder), text::ToUtf8(OneLine(line)));
}

}  // namespace diag
