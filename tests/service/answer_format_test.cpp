#include "answer_format.h"

#include <gtest/gtest.h>

#include "admin_controls.h"
#include "platform/text.h"

namespace {

const Maker kMaker{"1042", "LEMA", "Plâtres Lemoine", "20130415", "2013.2", true};

Article SampleArticle() {
    Article a;
    a.makerId = "1042";
    a.prefix = "LEMA";
    a.reference = "000123";
    a.label = "Plaque de plâtre BA13";
    a.listPrice = 12.5;
    a.familyCodes = {"F01", "F0101"};
    a.suppliers = {{"NEGOBAT", 0.6, 3}, {"MATEO", 0.75, 5}};
    return a;
}

std::vector<std::string> FieldsOf(const std::string& line) {
    EXPECT_TRUE(line.ends_with("\r\n"));
    return text::Split(line.substr(0, line.size() - 2), '\t');
}

// A maker line has eight fields, the full update mark last.
TEST(ServiceTestFormat, RecordsHaveTheirFieldsWithJoinedListsAndNetPrices) {
    const std::vector<std::string> f = FieldsOf(ArticleRecord(SampleArticle(), kMaker));
    ASSERT_EQ(f.size(), 30u);
    EXPECT_EQ(f[14], "F01|F0101");
    EXPECT_EQ(f[25], "7.50|9.38");
    EXPECT_EQ(f[28], "0.60|0.75");

    const std::vector<std::string> maker = FieldsOf(MakerLine(kMaker, 12));
    ASSERT_EQ(maker.size(), 8u);
    EXPECT_EQ(maker[7], "X");
}

TEST(ServiceTestFormat, OnlyLoopbackAddressesReachTheControls) {
    for (const char* address : {"127.0.0.1", "::1", "::ffff:127.0.0.1"})
        EXPECT_TRUE(IsLoopback(address)) << address;
    EXPECT_FALSE(IsLoopback("192.0.2.7"));
    EXPECT_FALSE(IsLoopback(""));
}

}  // namespace
