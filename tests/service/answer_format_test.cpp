#include "answer_format.h"

#include <gtest/gtest.h>

#include "admin_controls.h"
#include "platform/text.h"

namespace {

Maker SampleMaker() {
    return {"1042", "LEMA", "Plâtres Lemoine", "20130415", "2013.2", false};
}

Article SampleArticle() {
    Article a;
    a.makerId = "1042";
    a.prefix = "LEMA";
    a.reference = "000123";
    a.label = "Plaque de plâtre BA13 2500x1200";
    a.unit = "U";
    a.listPrice = 12.5;
    a.packaging = "Palette de 50";
    a.packQuantity = 50;
    a.familyCodes = {"F01", "F0101"};
    a.familyLabels = {"Plâtrerie", "Plaques"};
    a.ean = "3000000000001";
    a.suppliers = {{"NEGOBAT", 0.6, 3}, {"MATEO", 0.75, 5}};
    return a;
}

std::vector<std::string> FieldsOf(const std::string& line) {
    EXPECT_TRUE(line.ends_with("\r\n"));
    return text::Split(line.substr(0, line.size() - 2), '\t');
}

TEST(ServiceTestFormat, EnvelopeIsExact) {
    EXPECT_EQ(Envelope("H\r\nL\r\n"), "<HTML><BODY><PRE>H\r\nL\r\n</PRE></BODY></HTML>");
    const std::string broken = MalformedEnvelope("H\r\n");
    EXPECT_EQ(broken.find("<BODY><PRE>"), std::string::npos);
    EXPECT_EQ(broken.find("</PRE></BODY>"), std::string::npos);
}

TEST(ServiceTestFormat, HeaderLineMarksARecording) {
    const RequestIdentity identity{"C000001", "PC01", "127.0.0.1:8443", "CATALOGUE;TARIFS"};
    EXPECT_EQ(HeaderLine(identity), "C000001:PC01:127.0.0.1:8443:CATALOGUE;TARIFS");
    EXPECT_EQ(HeaderLine(identity, true), "!C000001:PC01:127.0.0.1:8443:CATALOGUE;TARIFS");
    EXPECT_EQ(HeaderLine({}), ":::");
}

TEST(ServiceTestFormat, ArticleRecordHasThirtyFields) {
    const std::vector<std::string> f = FieldsOf(ArticleRecord(SampleArticle(), SampleMaker()));
    ASSERT_EQ(f.size(), 30u);
    EXPECT_EQ(f[0], "1042");
    EXPECT_EQ(f[1], "LEMA");
    EXPECT_EQ(f[2], "000123");
    EXPECT_EQ(f[3], "Plaque de plâtre BA13 2500x1200");
    EXPECT_EQ(f[5], "20130415");
    EXPECT_EQ(f[6], "12.50");
    EXPECT_EQ(f[7], "U");
    EXPECT_EQ(f[11], "50");
    EXPECT_EQ(f[14], "F01|F0101");
    EXPECT_EQ(f[15], "Plâtrerie|Plaques");
    EXPECT_EQ(f[25], "7.50|9.38");
    EXPECT_EQ(f[26], "NEGOBAT|MATEO");
    EXPECT_EQ(f[27], "3|5");
    EXPECT_EQ(f[28], "0.60|0.75");
    EXPECT_EQ(f[29], "");
}

TEST(ServiceTestFormat, WithdrawnArticlesCarryTheWithdrawnLabel) {
    Article article = SampleArticle();
    article.withdrawn = true;
    EXPECT_EQ(FieldsOf(ArticleRecord(article, SampleMaker()))[3], "Cet article n'existe plus.");
    const std::vector<std::string> f = FieldsOf(WithdrawnRecord("1042", "LEMA", "X1", "20130415"));
    ASSERT_EQ(f.size(), 30u);
    EXPECT_EQ(f[2], "X1");
    EXPECT_EQ(f[3], "Cet article n'existe plus.");
    EXPECT_EQ(f[5], "20130415");
}

TEST(ServiceTestFormat, MakerLineHasEightFieldsAndADayFirstDate) {
    Maker maker = SampleMaker();
    maker.fullUpdate = true;
    const std::vector<std::string> f = FieldsOf(MakerLine(maker, 12));
    ASSERT_EQ(f.size(), 8u);
    EXPECT_EQ(f[0], "1042");
    EXPECT_EQ(f[1], "LEMA");
    EXPECT_EQ(f[2], "Plâtres Lemoine");
    EXPECT_EQ(f[3], "15/04/2013");
    EXPECT_EQ(f[4], "2013.2");
    EXPECT_EQ(f[7], "X");
}

TEST(ServiceTestFormat, DatesConvertBothWaysAndRefuseOtherShapes) {
    EXPECT_EQ(DayMonthYear("20130415"), "15/04/2013");
    EXPECT_EQ(YearMonthDay("15/04/2013"), "20130415");
    EXPECT_EQ(DayMonthYear("2013041"), "");
    EXPECT_EQ(YearMonthDay("15-04-2013"), "");
    EXPECT_EQ(YearMonthDay("aa/04/2013"), "");
    EXPECT_EQ(YearMonthDay("15/13/2013"), "");
    EXPECT_EQ(YearMonthDay("00/04/2013"), "");
}

TEST(ServiceTestFormat, PaddingReachesTheAskedSizeExactly) {
    const std::string page = Envelope("H\r\n");
    EXPECT_EQ(PadPage(page, 10'000'000).size(), 10'000'000u);
    EXPECT_EQ(PadPage(page, 9'999'999).size(), 9'999'999u);
    EXPECT_TRUE(PadPage(page, 100).starts_with(page));
    EXPECT_EQ(PadPage(page, 5), page);
}

TEST(ServiceTestFormat, OnlyLoopbackAddressesReachTheControls) {
    EXPECT_TRUE(IsLoopback("127.0.0.1"));
    EXPECT_TRUE(IsLoopback("::1"));
    EXPECT_TRUE(IsLoopback("::ffff:127.0.0.1"));
    EXPECT_FALSE(IsLoopback("192.0.2.7"));
    EXPECT_FALSE(IsLoopback(""));
}

}  // namespace
