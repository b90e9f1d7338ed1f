// The developer build driven by a script: switch the editor on, paint three
// walls with the mouse, save with Enter. The level file and its backup land
// beside the program, and the saved board loads back with those walls.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/AppGlobals.h"
#include "support/MapText.h"
#include "play/LevelMap.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

// Level 0 as the test writes it: floor inside a wall ring, a start and an end.
void writeLevelZero() {
    auto rows = test::walledRows();
    rows[6][2] = 'S';
    rows[6][17] = 'E';
    auto board = test::drawnMapFromText(rows, 0);
    createDir("levels");
    StreamPtr out = writeFile("levels\\0.lvl");
    ASSERT_NE(out, nullptr);
    out->writeInt(2);
    out->writeInt(0);
    out->writeInt(-1);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) out->writeInt(board->cells[x][y]);
    out->writeInt(0);
    out->writeInt(0);
    ASSERT_TRUE(out->close());
}

TEST(EditorScenarioTest, PaintedWallsAreSavedWithABackupAndLoadBack) {
    RuntimeOptions options;
    options.headless = true;
    runtimeInit(options);
    resetGlobals();
    test::TempFolder folder;
    // The program must find its own folder here, so that the quick save
    // writes into this folder and not into the build's game folder.
    fs::copy_file(QM_DEV_PROGRAM, folder.file("quillmere"));
    for (const char* name : {"media", "system"}) {
        std::error_code ec;
        fs::create_directory_symlink(std::string(QM_GAME_DIR) + "/" + name, folder.file(name), ec);
    }
    writeLevelZero();
    std::string original = test::readBinary("levels/0.lvl");
    ASSERT_EQ(original.size(), 1140u);

    // Cell (x, y) is under pixel (64 + 32x, 64 + 32y) and the 31 pixels after it.
    test::writeBinary("script.txt",
                      "5 mouse 225 241\n"  // over Play
                      "40 key 13 down\n"   // Play
                      "41 key 13 up\n"
                      "100 key 13 down\n"  // close the level's tutorial page
                      "101 key 13 up\n"
                      "130 key 69 down\n"  // E: the editor
                      "131 key 69 up\n"
                      "150 mouse 170 170\n"
                      "152 button 1 down\n"
                      "156 mouse 202 170\n"
                      "160 mouse 234 170\n"
                      "164 button 1 up\n"
                      "200 key 13 down\n"  // Enter: quick save
                      "201 key 13 up\n"
                      "240 close\n");
    int status = test::runCommand("./quillmere --headless --script script.txt --log log.txt --max-frames 600"
                                  " >/dev/null 2>&1");
    ASSERT_EQ(status, 0);
    std::string log = test::readText("log.txt");
    EXPECT_NE(log.find("Saving map"), std::string::npos) << log;

    EXPECT_EQ(test::readBinary("! map backups/0.lvl"), original);
    std::string saved = test::readBinary("levels/0.lvl");
    ASSERT_EQ(saved.size(), 1140u);
    EXPECT_NE(saved, original);

    editorOn = 1;  // no tutorial page on load
    auto board = LevelMap::create(0);
    for (int x = 3; x <= 5; ++x) {
        EXPECT_GE(board->cells[x][3], 10) << x;
        EXPECT_LE(board->cells[x][3], 15) << x;
    }
    int changed = 0;
    auto before = test::drawnMapFromText([] {
        auto rows = test::walledRows();
        rows[6][2] = 'S';
        rows[6][17] = 'E';
        return rows;
    }());
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) changed += board->cells[x][y] != before->cells[x][y] ? 1 : 0;
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(board->startX, 2);
    EXPECT_EQ(board->endX, 17);
    resetGlobals();
    runtimeShutdown();
}

}  // namespace
