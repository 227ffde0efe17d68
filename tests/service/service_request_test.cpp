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

TEST(ServiceTestRequest, EveryKindIsRecognisedWithItsPieces) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        const std::string stamp = kind <= 1 ? "20130415093000" : "";
        const auto request = ParseCommand(Address(kind, "12,ABC,X100,15/04/2013|a_b:c!d", stamp));
        ASSERT_TRUE(request) << kind;
        EXPECT_EQ(request->kind, kind);
        EXPECT_FALSE(request->recuperation);
        EXPECT_EQ(request->param, "12,ABC,X100,15/04/2013|a_b:c!d");
        EXPECT_EQ(request->stamp, stamp);
        EXPECT_EQ(request->identity.server, "127.0.0.1:8443");
        EXPECT_EQ(request->identity.rights, "CATALOGUE;TARIFS");
        EXPECT_EQ(request->company, "SOC");
    }
    // The article catalogue without a stamp is the account creation.
    EXPECT_EQ(ParseCommand(Address(0, "", ""))->kind, 9);
    EXPECT_EQ(ParseCommand(Address(9, "", "20130415093000"))->kind, 0);
}

TEST(ServiceTestRequest, IdentityPiecesMayBeEmptyOrHoldAnUnderscore) {
    const auto empty = ParseCommand(Address(5, "", "", ":::", ""));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->identity.server, "");
    EXPECT_EQ(empty->company, "");
    const auto underscored = ParseCommand(Address(6, "x_y", "", "C1:PC_01:srv.example:R"));
    ASSERT_TRUE(underscored);
    EXPECT_EQ(underscored->param, "x_y");
    EXPECT_EQ(underscored->identity.computer, "PC_01");
    EXPECT_EQ(underscored->identity.server, "srv.example");
}

TEST(ServiceTestRequest, RecuperationAddressGivesTheStampAndIdentity) {
    const auto request =
        ParseCommand("1:2_VarneloAWP_PAGERECUP___20130415093000_C1:PC01:localhost:8443:R:SOC");
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->recuperation);
    EXPECT_EQ(request->stamp, "20130415093000");
    EXPECT_EQ(request->identity.server, "localhost:8443");
    EXPECT_EQ(request->company, "SOC");
}

TEST(ServiceTestRequest, OtherTextsAreRefused) {
    for (const char* command :
         {"", "1:2:_____:::::", "1:2:7.50_Varneloawp_PAGE_XX___C1:PC:srv:R:SOC",
          "1:2:7.50_Varneloawp_PAGE_LT", "1:2:7.50_AWPArticle_PAGEAFFICHE_RA__2013_C1:PC:srv:R:SOC",
          "1:2_VarneloAWP_PAGERECUP___notastamp_C1:PC:srv:R:SOC"})
        EXPECT_FALSE(ParseCommand(command)) << command;
    EXPECT_FALSE(ParseTarget("/awp/Varneloawp.awp?ORDRE=1:2:7.50"));
    EXPECT_FALSE(ParseTarget("/awp/Varneloawp.awp"));
}

TEST(ServiceTestRequest, TargetsArePercentDecodedBeforeReading) {
    const auto request = ParseTarget(
        "/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_NP_B%E9ton%20cellulaire,A&B__"
        "C1:PC01:127.0.0.1%3A8443:R:SOC");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->kind, 6);
    EXPECT_EQ(request->param, "B\xE9ton cellulaire,A&B");
    EXPECT_EQ(request->identity.server, "127.0.0.1:8443");
    EXPECT_EQ(PercentDecode("a%41%4a+b%"), "aAJ+b%");
    EXPECT_EQ(PercentDecode("%zz%4%E9"), "%zz%4\xE9");
}

}  // namespace
