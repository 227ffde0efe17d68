#include "page_coding.h"

#include <brotli/encode.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/text.h"

namespace {

constexpr int kBrotliQuality = 5;
constexpr int kGzipWindowBits = 15 + 16;  // a gzip header and trailer around the deflate data
constexpr int kZlibMemoryLevel = 8;

// An empty text when the encoder fails; the page then leaves as it is.
std::string Brotli(const std::string& body) {
    std::string packed(BrotliEncoderMaxCompressedSize(body.size()), '\0');
    std::size_t size = packed.size();
    if (!BrotliEncoderCompress(kBrotliQuality, BROTLI_DEFAULT_WINDOW, BROTLI_MODE_TEXT, body.size(),
                               reinterpret_cast<const std::uint8_t*>(body.data()), &size,
                               reinterpret_cast<std::uint8_t*>(packed.data())))
        return {};
    packed.resize(size);
    return packed;
}

std::string Gzip(const std::string& body) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kZlibMemoryLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    std::string packed(deflateBound(&stream, body.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    stream.avail_in = static_cast<uInt>(body.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return done ? packed : std::string();
}

}  // namespace

bool AcceptsCoding(const std::string& acceptEncoding, const std::string& coding) {
    for (const std::string& item : text::Split(text::MakeLower(acceptEncoding), ',')) {
        const std::vector<std::string> parts = text::Split(item, ';');
        if (text::Trim(parts.front()) != coding) continue;
        for (std::size_t i = 1; i < parts.size(); ++i) {
            const std::string parameter = text::Trim(parts[i]);
            if (parameter.starts_with("q=")) return std::strtod(parameter.c_str() + 2, nullptr) > 0;
        }
        return true;
    }
    return false;
}

void SetCodedContent(const httplib::Request& request, httplib::Response& response, std::string body,
                     const std::string& type) {
    const std::string accepted = request.get_header_value("Accept-Encoding");
    std::string coding;
    std::string packed;
    if (AcceptsCoding(accepted, "br")) {
        coding = "br";
        packed = Brotli(body);
    } else if (AcceptsCoding(accepted, "gzip")) {
        coding = "gzip";
        packed = Gzip(body);
    }
    response.set_header("Vary", "Accept-Encoding");
    if (!packed.empty()) {
        response.set_header("Content-Encoding", coding);
        body = std::move(packed);
    }
    // An empty body is never coded; one of known length given by a provider leaves as it is,
    // without the library coding it again.
    if (body.empty()) {
        response.set_content(body, type);
        return;
    }
    auto sent = std::make_shared<const std::string>(std::move(body));
    response.set_content_provider(
        sent->size(), type,
        [sent](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            return sink.write(sent->data() + offset, length);
        });
}
