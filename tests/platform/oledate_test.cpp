#include "platform/oledate.h"

#include <gtest/gtest.h>

namespace {

TEST(OleDateTest, CountsDaysFromTheThirtiethOfDecember1899AndSplitsThemIntoParts) {
    EXPECT_TRUE(COleDateTime(1899, 12, 30).IsZero());
    EXPECT_TRUE(COleDateTime(2013, 2, 31).IsZero());  // parts that make no date
    EXPECT_EQ(COleDateTime(1900, 1, 1).GetValue(), 2.0);
    EXPECT_EQ(COleDateTime(2013, 4, 15, 18, 0, 0).GetValue(), 41379.75);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).GetValue(), -1.25);
    EXPECT_EQ(COleDateTime(-1.25).GetHour(), 6);  // before the epoch the time still counts forward
    // A value a hair below a whole second is that second.
    EXPECT_EQ(COleDateTime(41380.0 - 1e-9).GetDay(), 16);
    EXPECT_EQ(COleDateTime(1e300).GetYear(), 1899);
}

TEST(OleDateTest, ParsesFrenchDayMonthYear) {
    EXPECT_EQ(COleDateTime::ParseDateTime(" 5.4.2013\t"), COleDateTime(2013, 4, 5));
    EXPECT_EQ(COleDateTime::ParseDateTime("15-04-29"), COleDateTime(2029, 4, 15));
    EXPECT_EQ(COleDateTime::ParseDateTime("15/04/30"), COleDateTime(1930, 4, 15));
    EXPECT_EQ(COleDateTime::ParseDateTime("15/04/2013 18:30"), COleDateTime(2013, 4, 15, 18, 30));
    EXPECT_EQ(COleDateTime::ParseDateTime("15/04/2013  8:30:12"),
              COleDateTime(2013, 4, 15, 8, 30, 12));
}

TEST(OleDateTest, RejectsTextThatIsNotADate) {
    for (const char* text :
         {"29/02/2013", "15/13/2013", "", "15/04", "2013-04-15", "15/04/2013x", "15/04/2013 25:00",
          "15/04/2013 12", "15/04/201318:30", "-1/04/2013", "15/04/99999", "15/04/0013"}) {
        EXPECT_FALSE(COleDateTime::ParseDateTime(text)) << text;
    }
}

TEST(OleDateTest, FormatsTheFrenchWayAndStoresIsoTextThatReadsBack) {
    const COleDateTime date(2013, 4, 5, 18, 30);
    EXPECT_EQ(date.Format(), "05/04/2013");
    EXPECT_EQ(date.Format("%x %X %j %w %%x"), "05/04/2013 18:30:00 095 5 %x");
    EXPECT_EQ(COleDateTime(2013, 4, 15).ToIso(), "2013-04-15");
    EXPECT_EQ(COleDateTime(2013, 4, 15, 8, 5, 3).ToIso(), "2013-04-15 08:05:03");
    EXPECT_EQ(COleDateTime::FromIso("2013-04-15T08:05"), COleDateTime(2013, 4, 15, 8, 5));
    for (const char* iso : {"2013-02-31", "2013-4-15", "2013-04-15 8", "2013-04-15 08:05:03 "}) {
        EXPECT_FALSE(COleDateTime::FromIso(iso)) << iso;
    }
}

}  // namespace
