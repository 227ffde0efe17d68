#include "connection/prixel_answer.h"

#include <gtest/gtest.h>

namespace {

TEST(PrixelAnswerTest, AnswerIsCutBetweenTheMarkersAndItsHeaderNeedsItsCrLf) {
    CPrixelAnswer answer("<HTML><BODY><PRE>C1:PC:srv:R\r\nline1\r\nline2\r\n</PRE></BODY></HTML>");
    EXPECT_EQ(answer.m_strText, "C1:PC:srv:R\r\nline1\r\nline2\r\n");
    EXPECT_EQ(answer.GetHeaderLine(), "C1:PC:srv:R");
    EXPECT_EQ(answer.GetAnswerBody(), "line1\r\nline2\r\n");

    CPrixelAnswer unended("<BODY><PRE>C1:PC:srv:R</PRE></BODY>");
    EXPECT_FALSE(unended.IsEmpty());
    EXPECT_EQ(unended.GetHeaderLine() + unended.GetAnswerBody(), "");
}

TEST(PrixelAnswerTest, PagesWithoutBothMarkersInOrderGiveAnEmptyAnswer) {
    for (const char* page : {
             "<HTML><BODY>no markers</BODY></HTML>",
             "<BODY><PRE>start only",
             "end only</PRE></BODY>",
             "</PRE></BODY>reversed<BODY><PRE>",
             "<BODY><PRE></PRE></BODY>",
         }) {
        EXPECT_TRUE(CPrixelAnswer(page).IsEmpty()) << page;
    }
}

}  // namespace
