#include "service_request.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::array<KindTexts, kKindCount> kKinds = {{
    {"AWPArticle", "PAGEAFFICHE", "RA"},
    {"AWPFabricant", "PAGEAFFICHE", "RT"},
    {"AWPArticleDetail", "PAGEAFFICHE", "AA"},
    {"AWPVignette", "PAGEAFFICHE", "AV"},
    {"AWPFicheFabricant", "PAGEAFFICHE", "AF"},
    {"Varneloawp", "PAGE", "LT"},
    {"Varneloawp", "PAGE", "NP"},
    {"Varneloawp", "PAGE", "EF"},
    {"Varneloawp", "PAGE", "EC1"},
    {"AWPArticle", "PAGEAFFICHE", "RA"},
}};

constexpr std::string_view kRequestStart = "1:2:";
constexpr std::string_view kRecuperationStart = "1:2_VarneloAWP_PAGERECUP___";
constexpr std::string_view kCommandName = "COMMANDE=";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsStamp(std::string_view text) {
    return text.empty() || (text.size() == 14 && std::all_of(text.begin(), text.end(), [](char c) {
                                return c >= '0' && c <= '9';
                            }));
}

// Cuts "identity:company" at its last ":".
void ReadIdentityAndCompany(std::string_view text, ServiceRequest& request) {
    const size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        request.identity = ParseIdentity(text);
        return;
    }
    request.identity = ParseIdentity(text.substr(0, colon));
    request.company = std::string(text.substr(colon + 1));
}

// The stamp stands between the parameter and the identity as "_" stamp "_", the stamp being
// empty or 14 digits. The parameter may hold "_", the identity holds at least three ":" and the
// company one more, so the rightmost such place followed by four ":" is taken.
bool SplitParamStampRest(std::string_view text, ServiceRequest& request) {
    for (size_t end = text.rfind('_'); end != std::string_view::npos && end > 0;
         end = text.rfind('_', end - 1)) {
        const std::string_view rest = text.substr(end + 1);
        if (std::count(rest.begin(), rest.end(), ':') < 4) continue;
        const size_t start = text.rfind('_', end - 1);
        if (start == std::string_view::npos) return false;
        const std::string_view stamp = text.substr(start + 1, end - start - 1);
        if (!IsStamp(stamp)) continue;
        request.param = std::string(text.substr(0, start));
        request.stamp = std::string(stamp);
        ReadIdentityAndCompany(rest, request);
        return true;
    }
    return false;
}

int KindOf(std::string_view page, std::string_view key, std::string_view code, bool stamped) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        const KindTexts& texts = kKinds[kind];
        if (page != texts.page || key != texts.key || code != texts.code) continue;
        // The article catalogue and the account creation share their texts; only the
        // catalogue carries a stamp.
        if (kind == 0 && !stamped) return 9;
        return kind;
    }
    return -1;
}

std::optional<ServiceRequest> ParseRequest(std::string_view text) {
    std::string_view pieces[4];
    for (auto& piece : pieces) {
        const size_t sep = text.find('_');
        if (sep == std::string_view::npos) return std::nullopt;
        piece = text.substr(0, sep);
        text.remove_prefix(sep + 1);
    }
    ServiceRequest request;
    request.version = std::string(pieces[0]);
    if (!SplitParamStampRest(text, request)) return std::nullopt;
    request.kind = KindOf(pieces[1], pieces[2], pieces[3], !request.stamp.empty());
    if (request.kind < 0) return std::nullopt;
    return request;
}

std::optional<ServiceRequest> ParseRecuperation(std::string_view text) {
    const size_t sep = text.find('_');
    if (sep == std::string_view::npos || !IsStamp(text.substr(0, sep))) return std::nullopt;
    ServiceRequest request;
    request.recuperation = true;
    request.stamp = std::string(text.substr(0, sep));
    ReadIdentityAndCompany(text.substr(sep + 1), request);
    return request;
}

}  // namespace

KindTexts TextsOfKind(int kind) {
    return kKinds.at(kind);
}

std::string PercentDecode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

RequestIdentity ParseIdentity(std::string_view identity) {
    RequestIdentity result;
    const size_t first = identity.find(':');
    result.customer = std::string(identity.substr(0, first));
    if (first == std::string_view::npos) return result;
    identity.remove_prefix(first + 1);
    const size_t second = identity.find(':');
    result.computer = std::string(identity.substr(0, second));
    if (second == std::string_view::npos) return result;
    identity.remove_prefix(second + 1);
    const size_t last = identity.rfind(':');
    result.server = std::string(identity.substr(0, last));
    if (last != std::string_view::npos) result.rights = std::string(identity.substr(last + 1));
    return result;
}

std::optional<ServiceRequest> ParseCommand(std::string_view command) {
    if (command.starts_with(kRecuperationStart))
        return ParseRecuperation(command.substr(kRecuperationStart.size()));
    if (command.starts_with(kRequestStart))
        return ParseRequest(command.substr(kRequestStart.size()));
    return std::nullopt;
}

std::optional<ServiceRequest> ParseTarget(std::string_view target) {
    const size_t question = target.find('?');
    if (question == std::string_view::npos) return std::nullopt;
    const std::string query = PercentDecode(target.substr(question + 1));
    if (!std::string_view(query).starts_with(kCommandName)) return std::nullopt;
    return ParseCommand(std::string_view(query).substr(kCommandName.size()));
}
