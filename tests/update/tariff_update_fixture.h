#pragma once
// A company whose library holds articles of several makers, the facade, and the service's answers
// to the up-to-date check and to tariff queries.

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>

#include "connection/prixel_answer.h"
#include "host/recordsets.h"
#include "import/article_fixture.h"
#include "module/prixel_ctrl.h"

class TariffUpdateTest : public ArticleImportTest {
  protected:
    static constexpr const char* kUpdateCheck =
        "https:///awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_LT";
    static constexpr const char* kTariffQuery =
        "https:///awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_NP_";

    void SetUp() override {
        ArticleImportTest::SetUp();
        m_prixel = std::make_unique<CPrixelCtrl>();
    }
    void TearDown() override {
        m_prixel.reset();
        ArticleImportTest::TearDown();
    }

    static std::string Page(const std::string& answer) {
        return "<HTML><BODY><PRE>" + answer + "</PRE></BODY></HTML>";
    }
    // A maker line of the up-to-date answer; its maker is named "Maker <id>".
    static std::string MakerLine(const std::string& id, const std::string& prefix,
                                 const std::string& date, const std::string& version = "V1") {
        return id + "\t" + prefix + "\tMaker " + id + "\t" + date + "\t" + version + "\t\t\t\r\n";
    }
    // An article of a maker, reference R<number>, at a tariff date (YYYYMMDD) and list price.
    static std::string Article(const std::string& id, const std::string& prefix, int number,
                               const std::string& date = "20130415",
                               const std::string& price = "100") {
        return Line({{CPrixelElement::MakerId, id},
                     {CPrixelElement::MakerPrefix, prefix},
                     {CPrixelElement::Reference, "R" + std::to_string(number)},
                     {CPrixelElement::TariffDate, date},
                     {CPrixelElement::ListPrice, price}});
    }

    // Imports count articles of a maker, R0 to R<count - 1>, dated 15 April 2013.
    void Import(const std::string& id, const std::string& prefix, int count) {
        std::string answer = "C1:PC::R\r\n";
        for (int i = 0; i < count; ++i) answer += Article(id, prefix, i) + "\r\n";
        std::list<std::string> codes;
        ASSERT_EQ(CPrixelAnswer(Page(answer)).ImportAnswer(codes, true), count);
    }
    CPrixelCtrl::PrixelUpdateState Check(const std::string& makerLines) {
        m_web.Serve(kUpdateCheck, Page("C1:PC::R\r\n" + makerLines));
        return m_prixel->IsUpToDate();
    }
    // The service answers the query of each article of a maker with its tariff of 1 June 2014.
    void ServeNewTariffs(const std::string& id, const std::string& prefix, int count) {
        for (int i = 0; i < count; ++i) {
            m_web.Serve(kTariffQuery + id + "," + prefix + ",R" + std::to_string(i) + ",",
                        Page("C1:PC::R\r\n" + Article(id, prefix, i, "20140601", "120") + "\r\n"));
        }
    }
    std::unique_ptr<CPrixelCtrl> m_prixel;
};
