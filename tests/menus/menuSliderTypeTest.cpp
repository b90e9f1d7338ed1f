// The two widgets: where the slider answers the pointer and what value it
// takes, and how both take values.
#include "menus/menuSliderType.h"

#include "menus/MenuTestRig.h"
#include "menus/menuYesNoType.h"

namespace qm {
namespace {

class SliderTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        // Button centre (100, 150) in a menu at (430, 145): the bar runs from
        // x 560 to 660 at y 285; the band reaches 30 above and 60 below.
        slider = menuSliderType::create(100, 150, 400, 60, 30, -10, 100, 30);
    }
    int at(int px, int py) {
        inputMouseMove(px, py);
        return slider->pointerOn(430, 145);
    }
    std::shared_ptr<menuSliderType> slider;
};

TEST_F(SliderTest, APointer37PixelsIntoTheBarSetsValue37) {
    EXPECT_EQ(slider->hasWidget, 1);
    EXPECT_EQ(slider->tracksPointer, 1);
    EXPECT_EQ(at(560 + 37, 285), 1);
    EXPECT_EQ(slider->value, 37);
    EXPECT_FLOAT_EQ(slider->getValue(), 37.0f);
    EXPECT_EQ(at(659, 285), 1);
    EXPECT_EQ(slider->value, 99);
}

TEST_F(SliderTest, TheBandReachesBandAboveAndTwiceBandBelowTheBar) {
    EXPECT_EQ(at(600, 256), 1);
    EXPECT_EQ(slider->value, 40);
    EXPECT_EQ(at(610, 344), 1);
    EXPECT_EQ(slider->value, 50);
    // On the band's edges the value stays, though the pointer still counts.
    EXPECT_EQ(at(620, 255), 1);
    EXPECT_EQ(at(620, 345), 1);
    EXPECT_EQ(slider->value, 50);
}

TEST_F(SliderTest, LeftOfTheBarCountsWithin40PixelsWithoutChangingTheValue) {
    slider->value = 64;
    EXPECT_EQ(at(560, 285), 1) << "the left end itself is outside the bar";
    EXPECT_EQ(at(521, 285), 1);
    EXPECT_EQ(slider->value, 64);
    EXPECT_EQ(at(520, 285), 0);
    EXPECT_EQ(at(100, 285), 0);
    EXPECT_EQ(slider->value, 64);
}

TEST_F(SliderTest, SetValueRoundsAndLogs) {
    slider->setValue(37.6f);
    EXPECT_EQ(slider->value, 38);
    EXPECT_EQ(logged("Slider value set to 37.599998"), 1);
    slider->setValue(75.0f);
    EXPECT_EQ(slider->value, 75);
}

TEST_F(SliderTest, YesNoBoxShowsTheRoundedValueAndHasNoValueOfItsOwn) {
    auto box = menuYesNoType::create(100, 90, 204, 30, 60, -15, 1);
    EXPECT_EQ(box->frame, 1);
    EXPECT_EQ(box->hasWidget, 1);
    EXPECT_EQ(box->tracksPointer, 0);
    box->setValue(0.4f);
    EXPECT_EQ(box->frame, 0);
    box->setValue(0.6f);
    EXPECT_EQ(box->frame, 1);
    EXPECT_FLOAT_EQ(box->getValue(), -1.0f);
    EXPECT_EQ(box->pointerOn(0, 0), 0);
}

}  // namespace
}  // namespace qm
