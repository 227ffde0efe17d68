#include "connection/prixel_request.h"

#include "platform/oledate.h"
#include "platform/text.h"

namespace {

const char* const kAwpPath = "Varneloawp";
const char* const kPagePath = "awp/Varneloawp.awp";

}  // namespace

PrixelKindInfo KindInfo(int kind) {
    switch (kind) {
        case PrixelArticleCatalogue:
            return {kAwpPath, "AWPArticle", "PAGEAFFICHE", "RA", true, false};
        case PrixelMakerCatalogue:
            return {kAwpPath, "AWPFabricant", "PAGEAFFICHE", "RT", true, false};
        case PrixelArticleSheet:
            return {kAwpPath, "AWPArticleDetail", "PAGEAFFICHE", "AA", false, false};
        case PrixelProductSheet:
            return {kAwpPath, "AWPVignette", "PAGEAFFICHE", "AV", false, false};
        case PrixelMakerSheet:
            return {kAwpPath, "AWPFicheFabricant", "PAGEAFFICHE", "AF", false, false};
        case PrixelUpdateCheck:
            return {kPagePath, "Varneloawp", "PAGE", "LT", false, true};
        case PrixelTariffQuery:
            return {kPagePath, "Varneloawp", "PAGE", "NP", false, true};
        case PrixelSupplierSync:
            return {kPagePath, "Varneloawp", "PAGE", "EF", false, true};
        case PrixelCustomerRecording:
            return {kPagePath, "Varneloawp", "PAGE", "EC1", false, true};
        case PrixelAccountCreation:
            return {kAwpPath, "AWPArticle", "PAGEAFFICHE", "RA", false, false};
        default:
            return {};
    }
}

std::string BuildRequestAddress(const PrixelRequest& r) {
    return "https://" + r.server + "/" + r.kind.path + "?COMMANDE=1:" + "2" + ":" + r.hostVersion +
           "_" + r.kind.page + "_" + r.kind.key + "_" + r.kind.code + "_" + r.param + "_" +
           r.stamp + "_" + r.identity + ":" + r.company;
}

std::string BuildRecuperationAddress(const std::string& server, const std::string& stamp,
                                     const std::string& identity, const std::string& company) {
    return "https://" + server + "/awp/varneloawp.awp?COMMANDE=1:" + "2" +
           "_VarneloAWP_PAGERECUP___" + stamp + "_" + identity + ":" + company;
}

std::string HostVersionText(const sys::Version& v) {
    if (v[2] == 0 && v[3] == 0) return text::Format("%1.1d.%1.1d", v[0], v[1]);
    return text::Format("%1.1d.%1.1d.%1.1d.%1.1d", v[0], v[1], v[2], v[3]);
}

std::string MakeStamp() {
    return COleDateTime::GetCurrentTime().Format("%Y%m%d%H%M%S");
}

std::string ClearSymbolText(std::string text) {
    for (char symbol : {':', '|', '_', '!', '&', '#', '%'}) text = text::Replace(text, symbol, ' ');
    return text;
}
