#include "platform/text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(TextTest, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(text::FromUtf8(text::ToUtf8(all)), all);
}

TEST(TextTest, ConvertsTheFrenchLettersAndTheWindowsPunctuation) {
    EXPECT_EQ(text::ToUtf8("\x80 \x85 \x92 \x93\x94 \x96 \x99 \x9F"), "€ … ’ “” – ™ Ÿ");
    EXPECT_EQ(text::FromUtf8("Récupération € œ Ÿ"),
              "R\xE9"
              "cup\xE9ration \x80 \x9C \x9F");
    // Bytes CP1252 leaves undefined stand for their C1 controls; the others have no byte.
    EXPECT_EQ(text::ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(text::FromUtf8("\u0080\u0098"), "??");
}

TEST(TextTest, CharactersWithoutAByteAndMalformedUtf8BecomeQuestionMarks) {
    EXPECT_EQ(text::FromUtf8("a\u0101b\u4E2Dc\U0001F600d"), "a?b?c?d");
    EXPECT_EQ(text::FromUtf8("a\xC3"), "a?");               // cut short at the end
    EXPECT_EQ(text::FromUtf8("\xE2\x82z"), "?z");           // next byte is no continuation
    EXPECT_EQ(text::FromUtf8("\xED\xA0\x80"), "???");       // surrogate
    EXPECT_EQ(text::FromUtf8("\xF4\x90\x80\x80"), "????");  // past U+10FFFF
}

TEST(TextTest, SearchingSlicingAndReplacingClampTheirArguments) {
    EXPECT_EQ(text::Find("a:b:c", ':', -5), 1);
    EXPECT_EQ(text::Mid("abcdef", -3, 2), "ab");
    EXPECT_EQ(text::Mid("abcdef", 4, INT_MAX), "ef");
    EXPECT_EQ(text::Mid("abcdef", 10, 2), "");
    EXPECT_EQ(text::Right("abcdef", -1), "");
    EXPECT_EQ(text::Trim("\xA0x\xA0 \t\r\n\v\f"), "\xA0x\xA0");  // the no-break space is a letter
    EXPECT_EQ(text::Replace("abc", "b", "bb"), "abbc");
    EXPECT_EQ(text::Split("a::b:", ':'), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(text::Format("%s", std::string(5000, 'x').c_str()).size(), 5000u);
}

TEST(TextTest, ChangesTheCaseOfAsciiAndAccentedLetters) {
    EXPECT_EQ(text::MakeUpper("abz \xE9\xE0\xE7\xF9\xFE \x9A\x9C\x9E\xFF"),
              "ABZ \xC9\xC0\xC7\xD9\xDE \x8A\x8C\x8E\x9F");
    EXPECT_EQ(text::MakeLower("ABZ \xC9\xC0\xC7\xD9\xDE \x8A\x8C\x8E\x9F"),
              "abz \xE9\xE0\xE7\xF9\xFE \x9A\x9C\x9E\xFF");
    // The multiplication and division signs, sharp s and micro sign have no other case.
    EXPECT_EQ(text::MakeUpper("\xF7\xDF\xB5 1-_"), "\xF7\xDF\xB5 1-_");
    EXPECT_EQ(text::MakeLower("\xD7 1-_"), "\xD7 1-_");
}

}  // namespace
