#include "service_answers.h"

#include <gtest/gtest.h>

#include "answer_format.h"
#include "support/temp_dir.h"

namespace {

const std::string kOwn = "127.0.0.1:8443";
const std::string kNoCustomer = ":PC01:127.0.0.1:8443:\r";

Article MakeArticle(const std::string& makerId, const std::string& prefix,
                    const std::string& reference, double price) {
    Article a;
    a.makerId = makerId;
    a.prefix = prefix;
    a.reference = reference;
    a.label = "Tube cuivre écroui Ø14 " + reference;
    a.listPrice = price;
    a.suppliers = {{"NEGOBAT", 0.5, 2}};
    return a;
}

class ServiceTestAnswers : public ::testing::Test {
  protected:
    ServiceTestAnswers() : store(dir.File("catalogue.sqlite")), answers(store) {
        Catalogue catalogue;
        catalogue.makers = {{"1042", "LEMA", "Plâtres Lemoine", "20130415", "2013.1", false},
                            {"2001", "GARB", "Sanitaire Garnier", "20140101", "2014.1", false}};
        catalogue.articles = {MakeArticle("1042", "LEMA", "000100", 10.0),
                              MakeArticle("1042", "LEMA", "000200", 20.0),
                              MakeArticle("2001", "GARB", "R00001", 5.0)};
        store.Fill(catalogue);
    }

    ServicePage Ask(int kind, const std::string& param, const std::string& customer = "",
                    const std::string& stamp = "") {
        ServiceRequest request;
        request.kind = kind;
        request.param = param;
        request.stamp = stamp;
        request.identity = {customer, "PC01", "ignored", "ignored"};
        return answers.Answer(request, kOwn);
    }
    std::vector<std::string> Recuperation(const std::string& stamp) {
        ServiceRequest request;
        request.recuperation = true;
        request.stamp = stamp;
        return Lines(answers.Answer(request, kOwn));
    }
    // The answer's lines, each still ending with its '\r'.
    std::vector<std::string> Lines(const ServicePage& page) {
        EXPECT_TRUE(page.isAnswer);
        std::vector<std::string> lines = SplitText(page.answer, '\n');
        EXPECT_EQ(lines.back(), "");
        lines.pop_back();
        return lines;
    }
    std::string Field(const std::string& line, size_t index) {
        return SplitText(line.substr(0, line.size() - 1), '\t').at(index);
    }

    TempDir dir;
    CatalogueStore store;
    ServiceAnswers answers;
};

TEST_F(ServiceTestAnswers, MakerListHasOneLinePerMakerAfterTheHeader) {
    const std::vector<std::string> lines = Lines(Ask(5, ""));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], kNoCustomer);
    EXPECT_EQ(Field(lines[1], 3), "15/04/2013");
    EXPECT_EQ(Field(lines[1], 5), "2");
}

// Changed list prices show in the records with their net prices and in the selections.
TEST_F(ServiceTestAnswers, ATariffChangeShowsInRecordsAndSelections) {
    store.Pick("20240101120000", "LEMA000200");
    ASSERT_TRUE(store.ChangeTariff("1042", "20240301", "2024.1", 1.1));
    const std::string record = Lines(Ask(6, "1042,LEMA,000100,15/04/2013")).at(1);
    EXPECT_EQ(Field(record, 5), "20240301");
    EXPECT_EQ(Field(record, 6), "11.00");
    EXPECT_EQ(Field(record, 25), "5.50");
    EXPECT_EQ(Field(Recuperation("20240101120000").at(1), 6), "22.00");
}

TEST_F(ServiceTestAnswers, TariffQueryFindsCodesAndPrefixReferencePairsOrAnswersWithdrawn) {
    EXPECT_EQ(Lines(Ask(6, "LEMA000100")).size(), 2u);
    const std::vector<std::string> both = Lines(Ask(6, "LEMA,000200,GARBR00001"));
    ASSERT_EQ(both.size(), 3u);
    EXPECT_EQ(Field(both[2], 2), "R00001");
    EXPECT_EQ(Lines(Ask(6, "inconnu")).size(), 1u);
    EXPECT_EQ(Lines(Ask(6, "")).size(), 1u);

    const std::vector<std::string> gone = Lines(Ask(6, "1042,LEMA,999999,15/04/2013"));
    ASSERT_EQ(gone.size(), 2u);
    EXPECT_EQ(SplitText(gone[1], '\t').size(), 30u);
    EXPECT_EQ(Field(gone[1], 2) + " " + Field(gone[1], 3), "999999 Cet article n'existe plus.");
    EXPECT_EQ(Lines(Ask(6, "1042,GARB,999999,15/04/2013")).size(), 1u);
    ASSERT_TRUE(store.Withdraw("LEMA000100"));
    EXPECT_FALSE(store.Withdraw("NOPE"));
    EXPECT_EQ(Field(Lines(Ask(6, "LEMA000100"))[1], 3), "Cet article n'existe plus.");
}

TEST_F(ServiceTestAnswers, RecordingAssignsANumberAndKeepsItOrRefusesShortValues) {
    const std::string values =
        "CLI1|Société Test|1 rue||75001|Paris|01|02||a@b.fr|SER9|0|1|S|A|PC07|0";
    const std::vector<std::string> first = Lines(Ask(8, values));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0], "!C000001:PC07:127.0.0.1:8443:CATALOGUE;TARIFS\r");
    EXPECT_EQ(Lines(Ask(8, values))[0], first[0]);
    EXPECT_EQ(Lines(Ask(5, "", "C000001"))[0], "C000001:PC01:127.0.0.1:8443:CATALOGUE;TARIFS\r");
    EXPECT_EQ(Lines(Ask(5, "", "C999999"))[0], kNoCustomer);
    EXPECT_EQ(Lines(Ask(8, "CLI1|Société"))[0], kNoCustomer);
    EXPECT_EQ(Lines(Ask(8, ""))[0], kNoCustomer);
}

TEST_F(ServiceTestAnswers, SupplierBatchesAreKeptAsSent) {
    EXPECT_EQ(Lines(Ask(7, "a|b|c!d|e|f")).size(), 1u);
    EXPECT_EQ(Lines(Ask(7, "")).size(), 1u);
    EXPECT_EQ(store.SupplierBatches(), (std::vector<std::string>{"\ta|b|c!d|e|f"}));
}

TEST_F(ServiceTestAnswers, RecuperationAnswersThePicksOfItsStampInOrder) {
    store.Pick("20240101120000", "GARBR00001");
    store.Pick("20240101120000", "LEMA000100");
    store.Pick("20240101120000", "GARBR00001");
    store.Pick("20240101120001", "LEMA000200");
    store.Unpick("20240101120001", "LEMA000200");
    const std::vector<std::string> lines = Recuperation("20240101120000");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Field(lines[1], 1) + Field(lines[1], 2), "GARBR00001");
    EXPECT_EQ(Field(lines[2], 1) + Field(lines[2], 2), "LEMA000100");
    EXPECT_EQ(Recuperation("20240101120001").size(), 1u);
}

TEST_F(ServiceTestAnswers, PagesForPeople) {
    const ServicePage catalogue = Ask(0, "|||||Tube  000100", "", "20240101120000");
    EXPECT_FALSE(catalogue.isAnswer);
    EXPECT_NE(catalogue.html.find("value=\"Tube  000100\""), std::string::npos);
    EXPECT_EQ(catalogue.html.find("LEMA000200"), std::string::npos);
    EXPECT_NE(catalogue.html.find("/catalogue/pick?stamp=20240101120000&amp;code=LEMA000100"),
              std::string::npos);
    const std::pair<ServicePage, const char*> pages[] = {
        {Ask(2, "1042|LEMA|000200|x"), "LEMA000200"},
        {Ask(2, "|||"), "Cet article est introuvable."},
        {Ask(3, "LEMA000100||"), "Fiche produit"},
        {Ask(4, "GARB"), "Sanitaire Garnier"},
        {Ask(4, "ZZZ"), "Ce fabricant est introuvable."},
        {Ask(9, ""), "Création de compte"}};
    for (const auto& [page, shown] : pages)
        EXPECT_NE(page.html.find(shown), std::string::npos) << shown;
}

}  // namespace
