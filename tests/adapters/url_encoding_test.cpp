#include "adapters/curl/url_encoding.h"

#include <gtest/gtest.h>

TEST(UrlEncodingTest, EncodesWhatThePathAndTheQueryMayNotHoldAndDropsTheFragment) {
    const std::pair<const char*, const char*> cases[] = {
        {"https://h/p?a b|\xE9", "https://h/p?a%20b|%E9"},
        {"https://h/a b\"<>`{}'|", "https://h/a%20b%22%3C%3E%60%7B%7D'|"},
        {"https://h/p?\"<>`{}'?^", "https://h/p?%22%3C%3E`{}%27?^"},
        {"https://h/\x01\t?\n\x1F\x7F\x80\x9C\xFF", "https://h/%01%09?%0A%1F%7F%80%9C%FF"},
        {"https://h:8443/p?a=50%&b=%41", "https://h:8443/p?a=50%&b=%41"},
        {"https://h/p?a=1#part b", "https://h/p?a=1"},
        {"https://h/p#x?a=1", "https://h/p"},
    };
    for (const auto& [address, encoded] : cases) EXPECT_EQ(EncodeAddress(address), encoded);
}

TEST(UrlEncodingTest, LinksResolveAgainstThePageAddress) {
    const std::string page = "https://localhost/Varneloawp?COMMANDE=1:2:7.50_AWPArticle_|||||vis";
    EXPECT_EQ(ResolveLink(page, "/catalogue/pick?stamp=1&code=AB12"),
              "https://localhost/catalogue/pick?stamp=1&code=AB12");
    EXPECT_EQ(ResolveLink(page, "https://other.example/x"), "https://other.example/x");
    EXPECT_EQ(ResolveLink("not an address", "/x"), "/x");
}
