#include "connection/prixel_request.h"

#include <gtest/gtest.h>

namespace {

PrixelRequest Request(int kind, std::string param, std::string stamp = "") {
    return {"srv.example",    KindInfo(kind),        "7.50", std::move(param),
            std::move(stamp), "C1:PC:srv.example:R", "SOC"};
}

TEST(PrixelRequestTest, RequestAddressesFollowTheGrammar) {
    EXPECT_EQ(BuildRequestAddress(Request(PrixelArticleCatalogue, "|||||vis", "20130415093000")),
              "https://srv.example/Varneloawp?COMMANDE=1:2:7.50_AWPArticle_PAGEAFFICHE_RA_|||||vis_"
              "20130415093000_C1:PC:srv.example:R:SOC");
    EXPECT_EQ(BuildRequestAddress(Request(PrixelUpdateCheck, "")),
              "https://srv.example/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_LT___"
              "C1:PC:srv.example:R:SOC");
    EXPECT_EQ(BuildRequestAddress(Request(PrixelCustomerRecording, "a|b")),
              "https://srv.example/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_EC1_a|b__"
              "C1:PC:srv.example:R:SOC");
    // Empty pieces keep their separators.
    EXPECT_EQ(BuildRequestAddress({"", KindInfo(42), "", "", "", ":::", ""}),
              "https:///?COMMANDE=1:2:______::::");
    EXPECT_EQ(
        BuildRecuperationAddress("srv.example", "20130415093000", "C1:PC:srv.example:R", "SOC"),
        "https://srv.example/awp/varneloawp.awp?COMMANDE=1:2_VarneloAWP_PAGERECUP___"
        "20130415093000_C1:PC:srv.example:R:SOC");
}

}  // namespace
