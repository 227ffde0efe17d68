#include "service_answers.h"

#include <gtest/gtest.h>

#include "answer_format.h"
#include "support/temp_dir.h"

namespace {

const std::string kOwn = "127.0.0.1:8443";

Article MakeArticle(const std::string& makerId, const std::string& prefix,
                    const std::string& reference, double price) {
    Article a;
    a.makerId = makerId;
    a.prefix = prefix;
    a.reference = reference;
    a.label = "Tube cuivre écroui Ø14 " + reference;
    a.unit = "ML";
    a.listPrice = price;
    a.familyCodes = {"F02", "F0201"};
    a.familyLabels = {"Plomberie", "Cuivre"};
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

    std::vector<std::string> Lines(const ServicePage& page) {
        EXPECT_TRUE(page.isAnswer);
        std::vector<std::string> lines = SplitText(page.answer, '\n');
        EXPECT_EQ(lines.back(), "");
        lines.pop_back();
        return lines;
    }

    std::vector<std::string> Fields(const std::string& line) {
        return SplitText(line.substr(0, line.size() - 1), '\t');
    }

    TempDir dir;
    CatalogueStore store;
    ServiceAnswers answers;
};

TEST_F(ServiceTestAnswers, MakerListHasOneLinePerMakerAfterTheHeader) {
    const std::vector<std::string> lines = Lines(Ask(5, ""));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], ":PC01:127.0.0.1:8443:\r");
    EXPECT_EQ(Fields(lines[1]).size(), 8u);
    EXPECT_EQ(Fields(lines[1])[0], "1042");
    EXPECT_EQ(Fields(lines[1])[3], "15/04/2013");
    EXPECT_EQ(Fields(lines[1])[5], "2");
}

TEST_F(ServiceTestAnswers, ATariffChangeShowsInMakerLinesRecordsAndSelections) {
    store.Pick("20240101120000", "LEMA000200");
    ASSERT_TRUE(store.ChangeTariff("1042", "20240301", "2024.1", 1.1));
    const std::vector<std::string> makers = Lines(Ask(5, ""));
    EXPECT_EQ(Fields(makers[1])[3], "01/03/2024");
    EXPECT_EQ(Fields(makers[1])[4], "2024.1");
    EXPECT_EQ(Fields(makers[2])[3], "01/01/2014");

    const std::vector<std::string> records = Lines(Ask(6, "1042,LEMA,000100,15/04/2013"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Fields(records[1])[5], "20240301");
    EXPECT_EQ(Fields(records[1])[6], "11.00");
    EXPECT_EQ(Fields(records[1])[25], "5.50");

    ServiceRequest recuperation;
    recuperation.recuperation = true;
    recuperation.stamp = "20240101120000";
    const std::vector<std::string> picked = Lines(answers.Answer(recuperation, kOwn));
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(Fields(picked[1])[6], "22.00");
    EXPECT_FALSE(store.ChangeTariff("9999", "20240301", "2024.1", 1.0));
}

TEST_F(ServiceTestAnswers, TariffQueryFindsCodesAndPrefixReferencePairs) {
    EXPECT_EQ(Lines(Ask(6, "LEMA000100")).size(), 2u);
    const std::vector<std::string> both = Lines(Ask(6, "LEMA,000200,GARBR00001"));
    ASSERT_EQ(both.size(), 3u);
    EXPECT_EQ(Fields(both[1])[2], "000200");
    EXPECT_EQ(Fields(both[2])[2], "R00001");
    EXPECT_EQ(Lines(Ask(6, "inconnu")).size(), 1u);
    EXPECT_EQ(Lines(Ask(6, "")).size(), 1u);
}

TEST_F(ServiceTestAnswers, AnArticleGoneFromTheCatalogueIsAnsweredWithdrawn) {
    const std::vector<std::string> gone = Lines(Ask(6, "1042,LEMA,999999,15/04/2013"));
    ASSERT_EQ(gone.size(), 2u);
    EXPECT_EQ(Fields(gone[1])[2], "999999");
    EXPECT_EQ(Fields(gone[1])[3], "Cet article n'existe plus.");
    EXPECT_EQ(Lines(Ask(6, "1042,GARB,999999,15/04/2013")).size(), 1u);

    ASSERT_TRUE(store.Withdraw("LEMA000100"));
    EXPECT_EQ(Fields(Lines(Ask(6, "LEMA000100"))[1])[3], "Cet article n'existe plus.");
    EXPECT_FALSE(store.Withdraw("NOPE"));
}

TEST_F(ServiceTestAnswers, RecordingAssignsANumberAndKeepsIt) {
    const std::string values =
        "CLI1|Société Test|1 rue||75001|Paris|01|02||a@b.fr|SER9|0|1|S|A|PC07|0";
    const std::vector<std::string> first = Lines(Ask(8, values));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0], "!C000001:PC07:127.0.0.1:8443:CATALOGUE;TARIFS\r");
    EXPECT_EQ(Lines(Ask(8, values))[0], first[0]);
    EXPECT_EQ(Lines(Ask(5, "", "C000001"))[0], "C000001:PC01:127.0.0.1:8443:CATALOGUE;TARIFS\r");
    EXPECT_EQ(Lines(Ask(5, "", "C999999"))[0], ":PC01:127.0.0.1:8443:\r");
}

TEST_F(ServiceTestAnswers, ARecordingWithoutSeventeenValuesIsNotAccepted) {
    EXPECT_EQ(Lines(Ask(8, "CLI1|Société"))[0], ":PC01:127.0.0.1:8443:\r");
    EXPECT_EQ(Lines(Ask(8, ""))[0], ":PC01:127.0.0.1:8443:\r");
}

TEST_F(ServiceTestAnswers, SupplierBatchesAreKeptLineByLine) {
    EXPECT_EQ(Lines(Ask(7, "a|b|c!d|e|f")).size(), 1u);
    EXPECT_EQ(Lines(Ask(7, "")).size(), 1u);
    const std::vector<std::string> kept = store.SupplierLines();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0], "\ta|b|c");
    EXPECT_EQ(kept[1], "\td|e|f");
}

TEST_F(ServiceTestAnswers, RecuperationAnswersThePicksOfItsStampInOrder) {
    store.Pick("20240101120000", "GARBR00001");
    store.Pick("20240101120000", "LEMA000100");
    store.Pick("20240101120000", "GARBR00001");
    store.Pick("20240101120001", "LEMA000200");
    store.Unpick("20240101120001", "LEMA000200");
    ServiceRequest request;
    request.recuperation = true;
    request.stamp = "20240101120000";
    const std::vector<std::string> lines = Lines(answers.Answer(request, kOwn));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Fields(lines[1])[1] + Fields(lines[1])[2], "GARBR00001");
    EXPECT_EQ(Fields(lines[2])[1] + Fields(lines[2])[2], "LEMA000100");
    request.stamp = "20240101120001";
    EXPECT_EQ(Lines(answers.Answer(request, kOwn)).size(), 1u);
}

TEST_F(ServiceTestAnswers, PagesForPeople) {
    const ServicePage catalogue = Ask(0, "|||||Tube  000100", "", "20240101120000");
    EXPECT_FALSE(catalogue.isAnswer);
    EXPECT_NE(catalogue.html.find("value=\"Tube  000100\""), std::string::npos);
    EXPECT_NE(catalogue.html.find("LEMA000100"), std::string::npos);
    EXPECT_EQ(catalogue.html.find("LEMA000200"), std::string::npos);
    EXPECT_NE(catalogue.html.find("/catalogue/pick?stamp=20240101120000&amp;code=LEMA000100"),
              std::string::npos);
    EXPECT_NE(Ask(1, "", "", "20240101120000").html.find("Sanitaire Garnier"), std::string::npos);
    EXPECT_NE(Ask(2, "1042|LEMA|000200|x").html.find("LEMA000200"), std::string::npos);
    EXPECT_NE(Ask(3, "LEMA000100||").html.find("Fiche produit"), std::string::npos);
    EXPECT_NE(Ask(2, "|||").html.find("Cet article est introuvable."), std::string::npos);
    EXPECT_NE(Ask(4, "GARB").html.find("Sanitaire Garnier"), std::string::npos);
    EXPECT_NE(Ask(4, "ZZZ").html.find("Ce fabricant est introuvable."), std::string::npos);
    EXPECT_NE(Ask(9, "").html.find("Création de compte"), std::string::npos);
}

TEST(ServiceTestSearchText, IsWhatFollowsTheFifthBar) {
    EXPECT_EQ(ServiceAnswers::SearchText("|||||plaque BA13"), "plaque BA13");
    EXPECT_EQ(ServiceAnswers::SearchText("|||||"), "");
    EXPECT_EQ(ServiceAnswers::SearchText("plaque"), "plaque");
    EXPECT_EQ(ServiceAnswers::SearchText("||||||x"), "|x");
}

}  // namespace
