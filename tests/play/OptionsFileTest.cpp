// options.dat: short files keep earlier values, bad volumes are mended, and
// the file written at exit carries the live volumes and window mode.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "play/AssetCatalogue.h"
#include "app/AppGlobals.h"
#include "play/OptionsFile.h"
#include "runtime/Diagnostics.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

std::string floatBytes(float v) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

std::string intBytes(int v) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

class OptionsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        OptionsFile::resetAll();
        AssetCatalogue::resetAll();
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override { setDebugLogHook(nullptr); }
    test::TempFolder folder;
    std::vector<std::string> log;
};

TEST_F(OptionsFileTest, MissingFileGivesDefaults) {
    OptionsFile::loadOptions();
    EXPECT_FLOAT_EQ(OptionsFile::optionSoundVolume, 1.0f);
    EXPECT_FLOAT_EQ(OptionsFile::optionMusicVolume, 1.0f);
    EXPECT_EQ(OptionsFile::fullscreenWanted, 0);
}

TEST_F(OptionsFileTest, FourByteFileKeepsTheOtherValuesFromBefore) {
    test::writeBinary("options.dat", floatBytes(0.5f));
    OptionsFile::loadOptions();
    EXPECT_FLOAT_EQ(OptionsFile::optionSoundVolume, 0.5f);
    EXPECT_FLOAT_EQ(OptionsFile::optionMusicVolume, 0.0f);  // not the default
    EXPECT_EQ(OptionsFile::fullscreenWanted, 0);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "fileVolume 0.500000");
}

TEST_F(OptionsFileTest, FullFileIsReadInOrder) {
    test::writeBinary("options.dat", floatBytes(1.5f) + floatBytes(0.25f) + intBytes(1));
    OptionsFile::loadOptions();
    EXPECT_FLOAT_EQ(OptionsFile::optionSoundVolume, 1.5f);
    EXPECT_FLOAT_EQ(OptionsFile::optionMusicVolume, 0.25f);
    EXPECT_EQ(OptionsFile::fullscreenWanted, 1);
}

TEST_F(OptionsFileTest, VolumesThatAreNotNumbersOrOutOfRangeAreMended) {
    test::writeBinary("options.dat", floatBytes(std::nanf("")) + floatBytes(7.0f) + intBytes(0));
    OptionsFile::loadOptions();
    EXPECT_FLOAT_EQ(OptionsFile::optionSoundVolume, 1.0f);
    EXPECT_FLOAT_EQ(OptionsFile::optionMusicVolume, 2.0f);
    test::writeBinary("options.dat", floatBytes(-3.0f) + floatBytes(1.0f / 0.0f));
    OptionsFile::loadOptions();
    EXPECT_FLOAT_EQ(OptionsFile::optionSoundVolume, 0.0f);
    EXPECT_FLOAT_EQ(OptionsFile::optionMusicVolume, 1.0f);
}

TEST_F(OptionsFileTest, SaveWritesTwelveBytesWithTheWindowModeInForce) {
    OptionsFile::optionSoundVolume = 0.75f;
    OptionsFile::optionMusicVolume = 1.25f;
    AssetCatalogue::fullscreen = 1;
    OptionsFile::saveOptions();
    std::string bytes = test::readBinary("options.dat");
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(bytes, floatBytes(0.75f) + floatBytes(1.25f) + intBytes(1));
    EXPECT_EQ(log.back(), "saving volume as 0.750000");
    // Read back through the loader: the round trip is exact.
    OptionsFile::resetAll();
    OptionsFile::loadOptions();
    EXPECT_FLOAT_EQ(OptionsFile::optionMusicVolume, 1.25f);
    EXPECT_EQ(OptionsFile::fullscreenWanted, 1);
}

}  // namespace
