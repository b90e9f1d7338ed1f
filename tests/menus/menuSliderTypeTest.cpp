// The two widgets: where the slider answers the pointer and what value it
// takes, and how both take values.
#include "menus/menuSliderType.h"

#include "menus/MenuTestRig.h"
#include "menus/menuYesNoType.h"
#include "support/TempFolder.h"

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

class WidgetDrawingTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        writePicture("sliderBack.png", 100, 10, {0xFF0000C0u});
        writePicture("sliderX.png", 20, 10, {0xFFC00000u});
        writePicture("menuYesNo.png", 30, 30, {0xFF00C000u, 0xFFC0C000u});
        forgetPictures();
        setAutoMidHandle(1);
        blackFrame();
    }
    void TearDown() override {
        forgetPictures();
        MenuTestRig::TearDown();
    }
    // The widget pictures are class-wide: each test loads its own.
    static void forgetPictures() {
        menuSliderType::barImage = menuSliderType::knobImage = menuYesNoType::boxImage = nullptr;
        menuSliderType::imagesLoaded = menuYesNoType::imagesLoaded = false;
    }
    test::TempFolder folder;
};

TEST_F(WidgetDrawingTest, TheKnobCentresOnTheValueAlongTheBar) {
    auto slider = menuSliderType::create(100, 150, 400, 60, 30, -10, 100, 30);
    EXPECT_EQ(autoMidHandle(), 1);
    slider->value = 37;
    slider->drawWidget(430, 145);
    // Bar from (560, 285); knob 20 wide from 560 + 37 - 10.
    EXPECT_EQ(pixel(560, 285), 0x0000C0u);
    EXPECT_EQ(pixel(586, 290), 0x0000C0u);
    EXPECT_EQ(pixel(587, 290), 0xC00000u);
    EXPECT_EQ(pixel(606, 294), 0xC00000u);
    EXPECT_EQ(pixel(607, 290), 0x0000C0u);
    EXPECT_EQ(pixel(559, 285), 0u);
}

TEST_F(WidgetDrawingTest, TheYesNoBoxShowsItsFrameBesideTheButton) {
    auto box = menuYesNoType::create(100, 90, 204, 30, 60, -15, 0);
    box->drawWidget(430, 145);
    EXPECT_EQ(pixel(590, 220), 0x00C000u);
    EXPECT_EQ(pixel(619, 249), 0x00C000u);
    box->setValue(1);
    box->drawWidget(430, 145);
    EXPECT_EQ(pixel(590, 220), 0xC0C000u);
    EXPECT_EQ(pixel(589, 220), 0u);
}

}  // namespace
}  // namespace qm
