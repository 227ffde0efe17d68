#pragma once
// The requests of the service: their kinds, and the two forms of address that carry them. Every
// piece is put into the address as it is; free text goes through ClearSymbolText first.

#include <string>

#include "platform/system.h"

enum PrixelRequestKind {
    PrixelArticleCatalogue = 0,
    PrixelMakerCatalogue = 1,
    PrixelArticleSheet = 2,
    PrixelProductSheet = 3,
    PrixelMakerSheet = 4,
    PrixelUpdateCheck = 5,
    PrixelTariffQuery = 6,
    PrixelSupplierSync = 7,
    PrixelCustomerRecording = 8,
    PrixelAccountCreation = 9,
};

// The four texts a kind fixes in its request address, and how its answer comes back.
struct PrixelKindInfo {
    std::string path;
    std::string page;
    std::string key;
    std::string code;
    bool stamped = false;       // the request carries a time stamp; Valider fetches the answer
    bool answerIsPage = false;  // the page that loads is itself the answer
};

// The texts of kind; all empty for a value outside the ten kinds.
PrixelKindInfo KindInfo(int kind);

// The pieces of one request address.
struct PrixelRequest {
    std::string server;
    PrixelKindInfo kind;
    std::string hostVersion;
    std::string param;
    std::string stamp;
    std::string identity;
    std::string company;
};

std::string BuildRequestAddress(const PrixelRequest& request);
std::string BuildRecuperationAddress(const std::string& server, const std::string& stamp,
                                     const std::string& identity, const std::string& company);

// "7.50" when build and revision are 0, otherwise "7.50.1.0".
std::string HostVersionText(const sys::Version& version);

// The stamp of a catalogue request: local time as "%Y%m%d%H%M%S".
std::string MakeStamp();

// Turns each of ':' '|' '_' '!' '&' '#' '%' into a blank; the length does not change.
std::string ClearSymbolText(std::string text);
