// The export progress dialog: range and position messages, the percentage, and the end-of-run posts.
#include "composer/progress_dialog.h"
#include "notify_owner.h"

namespace {

class Progress : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(CProgressDialog::IDD, &owner)); }
    void TearDown() override { dialog.DestroyWindow(); }

    // Posted as the renderer and the ffmpeg runner do, then delivered.
    void Post(WPARAM what, LPARAM value)
    {
        dialog.PostMessage(CProgressDialog::kProgressMessage, what, value);
        PumpFor(30);
    }
    CString Percent()
    {
        CString text;
        dialog.GetDlgItemText(CProgressDialog::kPercentId, text);
        return text;
    }

    NotifyOwner owner;
    CProgressDialog dialog{&owner};
};

TEST_F(Progress, CentresOnItsParent)
{
    CRect own, parent;
    dialog.GetWindowRect(&own);
    owner.GetWindowRect(&parent);
    EXPECT_NEAR(own.CenterPoint().x, parent.CenterPoint().x, 1);
    EXPECT_NEAR(own.CenterPoint().y, parent.CenterPoint().y, 1);
}

TEST_F(Progress, RangeKeepsItsLow16BitsForTheBarAndTheWholeValueForThePercentage)
{
    Post(CProgressDialog::kRange, 70000);
    int low = -1, high = -1;
    dialog.m_progress.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 4464);
    EXPECT_EQ(dialog.m_progress.GetPos(), 0);
    Post(CProgressDialog::kPosition, 35000);
    EXPECT_EQ(Percent(), "50%");
}

TEST_F(Progress, PositionsBeforeAnyRangeArePercentOfAHundred)
{
    Post(CProgressDialog::kPosition, 30);
    EXPECT_EQ(Percent(), "30%");
    EXPECT_EQ(dialog.m_progress.GetPos(), 30);
}

TEST_F(Progress, EndOfRunPostsLeaveTheLastPosition)
{
    Post(CProgressDialog::kRange, 100);
    Post(CProgressDialog::kPosition, 100);
    for (LPARAM end : {-1, -2}) {
        Post(CProgressDialog::kPosition, end);
        EXPECT_EQ(Percent(), "100%") << end;
        EXPECT_EQ(dialog.m_progress.GetPos(), 100) << end;
    }
    Post(7, 12);  // another kind of message changes nothing
    EXPECT_EQ(Percent(), "100%");
}

TEST_F(Progress, ANewRunStartsAtNoughtAndTheBarNeverRunsBackwards)
{
    // The render fills the bar; the encoder's run then starts from an empty bar and "0%".
    Post(CProgressDialog::kRange, 100);
    Post(CProgressDialog::kPosition, 100);
    Post(CProgressDialog::kRange, 100);
    EXPECT_EQ(dialog.m_progress.GetPos(), 0);
    EXPECT_EQ(Percent(), "0%");
    Post(CProgressDialog::kPosition, 40);
    Post(CProgressDialog::kPosition, 30);
    EXPECT_EQ(dialog.m_progress.GetPos(), 40);
    EXPECT_EQ(Percent(), "40%");
}

}  // namespace
