#include "service_request.h"

#include <gtest/gtest.h>

namespace {

std::string Address(int kind, const std::string& param, const std::string& stamp,
                    const std::string& identity = "C1:PC01:127.0.0.1:8443:CATALOGUE;TARIFS",
                    const std::string& company = "SOC") {
    const KindTexts texts = TextsOfKind(kind);
    return std::string("1:2:7.50_") + texts.page + "_" + texts.key + "_" + texts.code + "_" +
           param + "_" + stamp + "_" + identity + ":" + company;
}

// What a request holds, its pieces joined by "|"; "refused" when there is none.
std::string Pieces(const std::optional<ServiceRequest>& request) {
    if (!request) return "refused";
    const RequestIdentity& who = request->identity;
    return (request->recuperation ? "recuperation" : std::to_string(request->kind)) + "|" +
           request->param + "|" + request->stamp + "|" + who.customer + ":" + who.computer + ":" +
           who.server + ":" + who.rights + "|" + request->company;
}

TEST(ServiceTestRequest, EveryKindIsRecognisedWithItsPieces) {
    const std::string param = "12,ABC,X100,15/04/2013|a_b:c!d";
    for (int kind = 0; kind < kKindCount; ++kind) {
        const std::string stamp = kind <= 1 ? "20130415093000" : "";
        EXPECT_EQ(Pieces(ParseCommand(Address(kind, param, stamp))),
                  std::to_string(kind) + "|" + param + "|" + stamp +
                      "|C1:PC01:127.0.0.1:8443:CATALOGUE;TARIFS|SOC");
    }
}

TEST(ServiceTestRequest, AddressesGiveTheirPiecesOrAreRefused) {
    const std::pair<std::string, std::string> commands[] = {
        // The article catalogue without a stamp is the account creation.
        {Address(0, "", ""), "9|||C1:PC01:127.0.0.1:8443:CATALOGUE;TARIFS|SOC"},
        {Address(5, "", "", ":::", ""), "5|||:::|"},
        {Address(6, "x_y", "", "C1:PC_01:srv.example:R"), "6|x_y||C1:PC_01:srv.example:R|SOC"},
        {"1:2_VarneloAWP_PAGERECUP___20130415093000_C1:PC01:localhost:8443:R:SOC",
         "recuperation||20130415093000|C1:PC01:localhost:8443:R|SOC"},
        {"", "refused"},
        {"1:2:7.50_Varneloawp_PAGE_XX___C1:PC:srv:R:SOC", "refused"},
        {"1:2:7.50_Varneloawp_PAGE_LT", "refused"},
        {"1:2:7.50_AWPArticle_PAGEAFFICHE_RA__2013_C1:PC:srv:R:SOC", "refused"},
        {"1:2_VarneloAWP_PAGERECUP___notastamp_C1:PC:srv:R:SOC", "refused"},
    };
    for (const auto& [command, pieces] : commands)
        EXPECT_EQ(Pieces(ParseCommand(command)), pieces) << command;
}

TEST(ServiceTestRequest, TargetsArePercentDecodedBeforeReading) {
    EXPECT_EQ(Pieces(ParseTarget(
                  "/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_NP_B%E9ton%20cellulaire,"
                  "A&B__C1:PC01:127.0.0.1%3A8443:R:SOC")),
              "6|B\xE9ton cellulaire,A&B||C1:PC01:127.0.0.1:8443:R|SOC");
    EXPECT_EQ(Pieces(ParseTarget("/awp/Varneloawp.awp?ORDRE=1:2:7.50")), "refused");
    EXPECT_EQ(Pieces(ParseTarget("/awp/Varneloawp.awp")), "refused");
    EXPECT_EQ(PercentDecode("a%41%4a+b%"), "aAJ+b%");
    EXPECT_EQ(PercentDecode("%zz%4%E9"), "%zz%4\xE9");
}

}  // namespace
