#include <gtest/gtest.h>

#include "host/application.h"
#include "update/tariff_update_fixture.h"

namespace {

using UpToDateTest = TariffUpdateTest;

TEST_F(UpToDateTest, EmptyLibraryOrBodyIsUpToDateAndTheArrayHoldsNoMoreMakersThanKnown) {
    EXPECT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelUpToDate);
    Import("M1", "ACM", 1);
    EXPECT_EQ(Check("M1\tACM\tMaker\t01/06/2014\tV1\t\t\t"), CPrixelCtrl::PrixelUpToDate);
    Import("M2", "BTP", 1);
    const std::string outdated = MakerLine("M1", "ACM", "01/06/2014");
    EXPECT_EQ(Check(outdated + outdated + outdated + outdated + outdated),
              CPrixelCtrl::PrixelOutOfDate);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 2);
}

// A refused check, or one without the right, leaves the array as it was; a copy keeps the makers
// it was made with when the original checks again.
TEST_F(UpToDateTest, RefusedChecksLeaveTheArrayAsItWasAndACopyKeepsItsOwn) {
    Import("M1", "ACM", 2);
    EXPECT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelOutOfDate);
    m_web.Serve(kUpdateCheck, std::string(10000000, 'x'));
    EXPECT_EQ(m_prixel->IsUpToDate(), CPrixelCtrl::PrixelNotChecked);
    EXPECT_EQ(Messages(),
              Strings{"Opération impossible, le nombre de fabricant est trop important.\n"});
    const auto rights = GetHostApp()->m_Rights;
    GetHostApp()->m_Rights.clear();
    const std::size_t asked = m_web.navigations.size();
    EXPECT_EQ(m_prixel->IsUpToDate(), CPrixelCtrl::PrixelNotChecked);
    EXPECT_EQ(m_web.navigations.size(), asked);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 2);

    GetHostApp()->m_Rights = rights;
    CPrixelCtrl copy(*m_prixel);
    EXPECT_EQ(Check(MakerLine("M1", "ACM", "15/04/2013")), CPrixelCtrl::PrixelUpToDate);
    EXPECT_EQ(copy.GetArticleUpToDateCount(), 2);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 0);
}

}  // namespace
