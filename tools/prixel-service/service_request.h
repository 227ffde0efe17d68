#pragma once
// Reading the addresses that the plug-in opens: the request address of every kind and the
// recuperation address of a catalogue selection.

#include <optional>
#include <string>
#include <string_view>

// The identity that every address carries: customer:computer:server:rights. The server part may
// itself hold a ":" (host:port).
struct RequestIdentity {
    std::string customer;
    std::string computer;
    std::string server;
    std::string rights;
};

struct ServiceRequest {
    bool recuperation = false;
    int kind = -1;  // 0 to 9; -1 for a recuperation address
    std::string version;
    std::string param;
    std::string stamp;
    RequestIdentity identity;
    std::string company;
};

// The page, key and code texts of a kind, as its request address carries them.
struct KindTexts {
    const char* page;
    const char* key;
    const char* code;
};
constexpr int kKindCount = 10;
KindTexts TextsOfKind(int kind);

// %XX sequences become their byte; anything else, '+' included, is kept as it is.
std::string PercentDecode(std::string_view text);

// Reads the value of COMMANDE (already decoded). Nothing when it follows neither form.
std::optional<ServiceRequest> ParseCommand(std::string_view command);

// Reads a whole target ("/path?COMMANDE=..."), percent-decoding the query first.
std::optional<ServiceRequest> ParseTarget(std::string_view target);

// Splits customer:computer:server:rights, the server taking every ":" in the middle.
RequestIdentity ParseIdentity(std::string_view identity);
