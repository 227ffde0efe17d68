#include "catalogue_generator.h"

#include <gtest/gtest.h>

#include <set>

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

TEST(ServiceTestGenerator, MakersHaveDistinctIdentifiersAndPrefixesWithinLimits) {
    const Catalogue catalogue = GenerateCatalogue(1);
    EXPECT_GE(catalogue.makers.size(), 24u);
    std::set<std::string> ids, prefixes;
    for (const Maker& maker : catalogue.makers) {
        EXPECT_TRUE(ids.insert(maker.id).second);
        EXPECT_TRUE(prefixes.insert(maker.prefix).second);
        EXPECT_LE(maker.id.size(), 8u);
        EXPECT_LE(maker.prefix.size(), 5u);
        EXPECT_EQ(maker.tariffDate.size(), 8u);
        EXPECT_FALSE(maker.version.empty());
        EXPECT_TRUE(FitsCp1252(maker.name, 255)) << maker.name;
    }
}

TEST(ServiceTestGenerator, ArticlesFitTheRecordLimits) {
    const Catalogue catalogue = GenerateCatalogue(1);
    EXPECT_GE(catalogue.articles.size(), 2000u);
    std::set<std::string> codes;
    int withdrawn = 0;
    for (const Article& a : catalogue.articles) {
        EXPECT_TRUE(codes.insert(a.Code()).second) << a.Code();
        EXPECT_LE(a.reference.size(), 13u);
        EXPECT_LE(a.Code().size(), 18u);
        EXPECT_TRUE(FitsCp1252(a.label, 255)) << a.label;
        EXPECT_EQ(a.label.find_first_of("\t\r\n'"), std::string::npos) << a.label;
        EXPECT_FALSE(a.unit.empty());
        EXPECT_GT(a.listPrice, 0.0);
        ASSERT_EQ(a.familyCodes.size(), a.familyLabels.size());
        EXPECT_GE(a.familyCodes.size(), 2u);
        for (const std::string& label : a.familyLabels) EXPECT_TRUE(FitsCp1252(label, 18)) << label;
        EXPECT_GE(a.suppliers.size(), 1u);
        EXPECT_LE(a.suppliers.size(), 4u);
        ASSERT_EQ(a.ean.size(), 13u);
        EXPECT_EQ(a.ean.back(), EanCheckDigit(a.ean.substr(0, 12))) << a.ean;
        withdrawn += a.withdrawn;
    }
    EXPECT_GT(withdrawn, 0);
}

TEST(ServiceTestGenerator, EanCheckDigitOfKnownCodes) {
    EXPECT_EQ(EanCheckDigit("400638133393"), '1');
    EXPECT_EQ(EanCheckDigit("978020137962"), '4');
    EXPECT_EQ(EanCheckDigit("000000000000"), '0');
}

}  // namespace
