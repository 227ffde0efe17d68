#include "page_coding.h"

#include <gtest/gtest.h>

namespace {

struct CodingCase {
    const char* acceptEncoding;
    const char* coding;
    bool accepted;
};

TEST(PageCoding, AcceptsTheCodingsTheClientListsWithoutAZeroWeight) {
    const CodingCase cases[] = {
        {"deflate, gzip, br, zstd", "br", true},
        {"gzip, deflate", "br", false},
        {"GZIP", "gzip", true},
        {"br;q=0, gzip", "br", false},
        {"br ; q=0.5", "br", true},
        {"", "gzip", false},
    };
    for (const CodingCase& c : cases)
        EXPECT_EQ(AcceptsCoding(c.acceptEncoding, c.coding), c.accepted)
            << c.acceptEncoding << " / " << c.coding;
}

}  // namespace
