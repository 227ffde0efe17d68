#include "service_answers.h"

#include <gtest/gtest.h>

#include "answer_format.h"
#include "support/temp_dir.h"

namespace {

const std::string kOwn = "127.0.0.1:8443";
const std::string kNoCustomer = ":PC01:127.0.0.1:8443:\r";
const std::string kStamp = "20240101120000";

Article MakeArticle(const std::string& makerId, const std::string& prefix,
                    const std::string& reference) {
    Article a;
    a.makerId = makerId;
    a.prefix = prefix;
    a.reference = reference;
    return a;
}

class ServiceTestAnswers : public ::testing::Test {
  protected:
    ServiceTestAnswers() : store(dir.File("catalogue.sqlite")), answers(store) {
        store.Fill({{{"1042", "LEMA", "Plâtres Lemoine", "20130415", "2013.1", false},
                     {"2001", "GARB", "Sanitaire Garnier", "20140101", "2014.1", false}},
                    {MakeArticle("1042", "LEMA", "000100"), MakeArticle("1042", "LEMA", "000200"),
                     MakeArticle("2001", "GARB", "R00001")}});
    }

    ServicePage Ask(int kind, const std::string& param, const std::string& customer = "") {
        ServiceRequest request;
        request.kind = kind;
        request.param = param;
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
    std::vector<std::string> Fields(const std::string& line) {
        return SplitText(line.substr(0, line.size() - 1), '\t');
    }

    TempDir dir;
    CatalogueStore store;
    ServiceAnswers answers;
};

// The maker list and the tariff query: lines after the header, and one field that tells them.
TEST_F(ServiceTestAnswers, AnswersHaveALineForEachMakerOrArticleFound) {
    ASSERT_TRUE(store.Withdraw("GARBR00001"));
    struct Case {
        int kind;
        const char* param;
        std::size_t lines;
        std::size_t field = 0;  // of the last line, when it has one
        const char* value = "";
    };
    const Case cases[] = {
        {5, "", 3, 5, "1"},
        {6, "LEMA,000200,LEMA000100", 3, 2, "000100"},
        {6, "inconnu", 1},
        {6, "GARBR00001", 2, 3, "Cet article n'existe plus."},
        {6, "1042,LEMA,999999,15/04/2013", 2, 3, "Cet article n'existe plus."},
        {6, "1042,GARB,999999,15/04/2013", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.param);
        const std::vector<std::string> lines = Lines(Ask(c.kind, c.param));
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines[0], kNoCustomer);
        if (c.lines == 1) continue;
        ASSERT_EQ(Fields(lines.back()).size(), c.kind == 5 ? 8u : 30u);
        EXPECT_EQ(Fields(lines.back())[c.field], c.value);
    }
}

TEST_F(ServiceTestAnswers, RecordingAssignsANumberAndKeepsItOrRefusesShortValues) {
    const std::string values =
        "CLI1|Société Test|1 rue||75001|Paris|01|02||a@b.fr|SER9|0|1|S|A|PC07|0";
    const std::string recorded = "!C000001:PC07:127.0.0.1:8443:CATALOGUE;TARIFS\r";
    const std::pair<ServicePage, std::string> answered[] = {{Ask(8, values), recorded},
                                                            {Ask(8, values), recorded},
                                                            {Ask(5, "", "C999999"), kNoCustomer},
                                                            {Ask(8, "CLI1|Société"), kNoCustomer}};
    for (const auto& [page, header] : answered) EXPECT_EQ(Lines(page).at(0), header);
}

TEST_F(ServiceTestAnswers, RecuperationAnswersThePicksOfItsStampInOrderOnce) {
    for (const char* code : {"GARBR00001", "LEMA000100", "GARBR00001"}) store.Pick(kStamp, code);
    store.Pick("20240101120001", "LEMA000200");
    store.Unpick("20240101120001", "LEMA000200");
    const std::vector<std::string> lines = Recuperation(kStamp);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Fields(lines[1])[1] + Fields(lines[1])[2], "GARBR00001");
    EXPECT_EQ(Fields(lines[2])[1] + Fields(lines[2])[2], "LEMA000100");
    EXPECT_EQ(Recuperation("20240101120001").size(), 1u);
    EXPECT_EQ(Recuperation("20240101120000").size(), 1u);  // handed over once
}

}  // namespace
