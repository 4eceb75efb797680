#include <gtest/gtest.h>

#include <string>

#include "fw/ui/progress_model.h"

namespace {

constexpr std::uint64_t kMB = 1000 * 1000;

const fw::ProgressWindowTexts kTexts{"heading", "%1 min",   "%1 s",
                                     "cancel",  {"a", "b"}, "finishing"};

class ProgressModelTest : public ::testing::Test {
protected:
    // Advances the clock in steps of 0.1 s to seconds, the work going at
    // rate bytes per second meanwhile.
    void RunUntil(double seconds, std::uint64_t rate) {
        while (now + 0.05 < seconds) {
            now += 0.1;
            progress.Advance(rate / 10);
            model.Update(progress, now);
        }
    }

    fw::SharedWorkProgress progress;
    fw::ProgressModel model{kTexts};
    double now = 0;
};

TEST_F(ProgressModelTest, BarFollowsTheBytesAndIsFullOnlyAtTheEnd) {
    model.Update(progress, 0);
    EXPECT_EQ(model.BarValue(), 0); // no total yet
    progress.SetTotal(400);
    progress.SetItem(1);
    progress.Advance(100);
    model.Update(progress, 0.1);
    EXPECT_EQ(model.BarValue(), fw::ProgressModel::kBarRange / 4);
    EXPECT_EQ(model.ItemText(), "b");
    // An input that grew: the bar stops just short of full.
    progress.Advance(500);
    model.Update(progress, 0.2);
    EXPECT_EQ(model.BarValue(), fw::ProgressModel::kBarRange - 1);
}

TEST_F(ProgressModelTest, TimeLeftShowsOnceTheRateIsKnownRoundedUp) {
    progress.SetTotal(1000 * kMB);
    model.Update(progress, 0);
    RunUntil(1.0, 10 * kMB);
    EXPECT_EQ(model.RemainingText(), ""); // measured for less than a second
    RunUntil(1.5, 10 * kMB);
    EXPECT_EQ(model.RemainingText(), "2 min"); // 985 MB at 10 MB/s: 98.5 s
    RunUntil(95.0, 10 * kMB);
    EXPECT_EQ(model.RemainingText(), "6 s"); // 50 MB left: 5 s, and up to a second old
}

TEST_F(ProgressModelTest, AStallMovesTheEstimateGradually) {
    progress.SetTotal(1000 * kMB);
    model.Update(progress, 0);
    RunUntil(70.0, 10 * kMB);
    EXPECT_EQ(model.RemainingText(), "31 s");
    // Two seconds without progress: the estimate grows, but stays under a
    // minute rather than jumping to "unknown" or to hours.
    RunUntil(72.0, 0);
    const std::string text = model.RemainingText();
    ASSERT_TRUE(text.ends_with(" s")) << text;
    const int seconds = std::stoi(text);
    EXPECT_GT(seconds, 31);
    EXPECT_LT(seconds, 60);
}

TEST_F(ProgressModelTest, FinishingTakesThePlaceOfTheTimeLeft) {
    progress.SetTotal(1000 * kMB);
    model.Update(progress, 0);
    RunUntil(1.5, 10 * kMB);
    ASSERT_EQ(model.RemainingText(), "2 min");
    EXPECT_FALSE(model.Finishing());
    progress.SetFinishing();
    RunUntil(9.0, 0); // the flush takes its time
    EXPECT_TRUE(model.Finishing());
    EXPECT_EQ(model.RemainingText(), "finishing");
}

} // namespace
