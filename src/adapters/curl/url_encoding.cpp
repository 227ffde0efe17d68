#include "adapters/curl/url_encoding.h"

#include <curl/curl.h>

#include <cstdio>
#include <string_view>

namespace {

bool IsQueryEscaped(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F ||
           std::string_view("\"#<>'").find(byte) != std::string_view::npos;
}

bool IsPathEscaped(unsigned char byte) {
    return (IsQueryEscaped(byte) && byte != '\'') ||
           std::string_view("?`{}").find(byte) != std::string_view::npos;
}

template <typename Escaped>
void AppendEncoded(std::string& out, std::string_view part, Escaped escaped) {
    for (unsigned char byte : part) {
        if (!escaped(byte)) {
            out += static_cast<char>(byte);
            continue;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", byte);
        out += hex;
    }
}

}  // namespace

std::string EncodeAddress(const std::string& address) {
    std::string_view whole(address);
    whole = whole.substr(0, whole.find('#'));
    std::size_t query = whole.find('?');
    std::string out;
    AppendEncoded(out, whole.substr(0, query), IsPathEscaped);
    if (query != std::string_view::npos) {
        out += '?';
        AppendEncoded(out, whole.substr(query + 1), IsQueryEscaped);
    }
    return out;
}

std::string ResolveLink(const std::string& base, const std::string& href) {
    std::string resolved = href;
    CURLU* url = curl_url();
    char* joined = nullptr;
    if (curl_url_set(url, CURLUPART_URL, EncodeAddress(base).c_str(), 0) == CURLUE_OK &&
        curl_url_set(url, CURLUPART_URL, href.c_str(), 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_URL, &joined, 0) == CURLUE_OK) {
        resolved = joined;
    }
    curl_free(joined);
    curl_url_cleanup(url);
    return resolved;
}
