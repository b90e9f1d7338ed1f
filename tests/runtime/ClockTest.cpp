// The virtual clock of headless runs, the date text, and the random rules.
#include <gtest/gtest.h>

#include <clocale>
#include <set>

#include "runtime/Clock.h"
#include "runtime/Graphics.h"
#include "runtime/Random.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
    }
    void TearDown() override { runtimeShutdown(); }
};

TEST_F(ClockTest, VirtualTimeMovesOnlyByDelaysAndFlips) {
    EXPECT_EQ(millisecs(), 0);
    delayMs(5);
    EXPECT_EQ(millisecs(), 5);
    delayMs(-10);
    EXPECT_EQ(millisecs(), 5);
    flipFrame(1);  // to the next multiple of 1000/60 ms
    EXPECT_EQ(millisecs(), 16);
    flipFrame(1);
    EXPECT_EQ(millisecs(), 33);
    flipFrame(1);
    EXPECT_EQ(millisecs(), 50);  // exact thirds: no drift after three frames
    delayMs(1);
    flipFrame(1);
    EXPECT_EQ(millisecs(), 66);
    for (int i = 0; i < 60 - 4; ++i) flipFrame(1);
    EXPECT_EQ(millisecs(), 1000);
    EXPECT_EQ(flipCount(), 60);
}

TEST_F(ClockTest, RestartingTheRuntimeRestartsTheClock) {
    delayMs(500);
    RuntimeOptions options;
    options.headless = true;
    ASSERT_TRUE(runtimeInit(options));
    EXPECT_EQ(millisecs(), 0);
    EXPECT_EQ(flipCount(), 0);
}

TEST(DateTest, EnglishMonthsWhateverTheLocale) {
    std::setlocale(LC_TIME, "de_DE.UTF-8");
    std::string date = currentDate();
    std::setlocale(LC_TIME, "C");
    ASSERT_EQ(date.size(), 11u) << date;
    EXPECT_EQ(date[2], ' ');
    EXPECT_EQ(date[6], ' ');
    std::set<std::string> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    EXPECT_TRUE(months.count(date.substr(3, 3))) << date;
}

TEST(RandomTest, SeedRulesAndRanges) {
    seedRandom(0);
    int32_t a = randomInt(0, 1000000);
    seedRandom(4660);
    EXPECT_EQ(randomInt(0, 1000000), a) << "seed 0 must act as 4660";
    seedRandom(int32_t(0x80000000u) | 4660);
    EXPECT_EQ(randomInt(0, 1000000), a) << "the top bit is masked off";

    seedRandom(99);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int v = randomInt(3, -2);  // bounds in either order, both inclusive
        ASSERT_GE(v, -2);
        ASSERT_LE(v, 3);
        seen.insert(v);
        float f = randomFloat(2.0f, 1.0f);
        ASSERT_GE(f, 1.0f);
        ASSERT_LT(f, 2.0f);
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(randomInt(7, 7), 7);
    EXPECT_EQ(randomFloat(5.0f, 5.0f), 5.0f);
    int32_t full = randomInt(INT32_MIN, INT32_MAX);  // the widest span must not overflow
    (void)full;
}

}  // namespace
}  // namespace qm
