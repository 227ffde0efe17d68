#include "catalogue_generator.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

std::string Describe(const Catalogue& catalogue) {
    std::string all;
    for (const Maker& m : catalogue.makers) all += m.id + m.prefix + m.name + m.tariffDate + "\n";
    for (const Article& a : catalogue.articles)
        all += a.Code() + a.label + a.ean + std::to_string(a.listPrice) + "\n";
    return all;
}

bool FitsCp1252(const std::string& utf8, size_t limit) {
    const std::string bytes = text::FromUtf8(utf8);
    return bytes.size() <= limit && bytes.find('?') == std::string::npos;
}

TEST(ServiceTestGenerator, SameSeedSameCatalogueOtherSeedAnother) {
    EXPECT_EQ(Describe(GenerateCatalogue(7)), Describe(GenerateCatalogue(7)));
    EXPECT_NE(Describe(GenerateCatalogue(7)), Describe(GenerateCatalogue(8)));
}

// That codes and prefixes are distinct the catalogue store checks as it is filled.
TEST(ServiceTestGenerator, MakersAndArticlesFitTheRecordLimits) {
    const Catalogue catalogue = GenerateCatalogue(1);
    for (const Maker& maker : catalogue.makers) {
        EXPECT_LE(maker.prefix.size(), 5u);
        EXPECT_TRUE(FitsCp1252(maker.name, 255)) << maker.name;
    }
    EXPECT_GE(catalogue.articles.size(), 2000u);
    int withdrawn = 0;
    for (const Article& a : catalogue.articles) {
        EXPECT_LE(a.Code().size(), 18u);
        EXPECT_EQ(a.label.find_first_of("\t\r\n'"), std::string::npos) << a.label;
        ASSERT_EQ(a.familyCodes.size(), a.familyLabels.size());
        for (const std::string& label : a.familyLabels) EXPECT_TRUE(FitsCp1252(label, 18)) << label;
        ASSERT_EQ(a.ean.size(), 13u);
        EXPECT_EQ(a.ean.back(), EanCheckDigit(a.ean.substr(0, 12))) << a.ean;
        withdrawn += a.withdrawn;
    }
    EXPECT_GT(withdrawn, 0);
    EXPECT_EQ(EanCheckDigit("400638133393"), '1');
    EXPECT_EQ(EanCheckDigit("978020137962"), '4');
}

}  // namespace
