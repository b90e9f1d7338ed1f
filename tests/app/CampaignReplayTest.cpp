// The solver's answers typed into the real game solve campaign levels of
// different kinds (teleports, recall, angle blocks and boosters, beams,
// shatter blocks, keys), and the game records each solve at par: the rules
// the level tool measures by are the rules the player meets.
#include <gtest/gtest.h>

#include <string>

#include "LevelFile.h"
#include "puzzle/Solver.h"
#include "support/GameRun.h"
#include "support/PlayRig.h"

using namespace qm;

namespace {

class CampaignReplayTest : public test::PlayRig, public ::testing::WithParamInterface<int> {
protected:
    test::TempFolder folder;
};

TEST_P(CampaignReplayTest, TheSolversAnswerSolvesTheLevelAtPar) {
    const int level = GetParam();
    std::string source = std::string(QM_SOURCE_DIR) + "/levels/";
    std::string problem;
    auto board = LevelFile::read(LevelFile::pathFor(source, level), level, &problem);
    ASSERT_TRUE(board) << problem;
    SolveResult answer = Solver::create(board)->solve();
    ASSERT_TRUE(answer.solved);

    test::prepareGameFolder();
    for (int n : {level, level + 1})
        test::runCommand("cp " + LevelFile::pathFor(source, n) + " levels/");
    // Every level before this one solved, so Play starts on it.
    std::string profile = test::profileBytes(level);
    profile[size_t(level)] = 3;
    test::writeBinary("save0.dat", profile);
    // Play, then one arrow key every 120 frames, time enough for the longest roll.
    std::string script = "60 key 13 down\n61 key 13 up\n";
    int frame = 120;
    for (char move : answer.moves) {
        int key = move == 'U' ? 38 : move == 'R' ? 39 : move == 'D' ? 40 : 37;
        script += std::to_string(frame) + " key " + std::to_string(key) + " down\n" + std::to_string(frame + 1) +
                  " key " + std::to_string(key) + " up\n";
        frame += 120;
    }
    script += std::to_string(frame + 200) + " close\n";
    test::GameRun run = test::runGame(script, frame + 400);
    ASSERT_EQ(run.status, 0);

    EXPECT_TRUE(test::hasLine(run.log, "Loading map " + std::to_string(level) + ".lvl"));
    EXPECT_EQ(test::countLines(run.log, "Loading map " + std::to_string(level + 1) + ".lvl"), 1) << answer.moves;
    EXPECT_EQ(test::readBinary("save0.dat")[size_t(level)], 1);  // solved
    std::string best = test::readBinary("best0.dat");
    ASSERT_GE(best.size(), size_t(2 * level + 2));
    EXPECT_EQ(int(uint8_t(best[size_t(2 * level)])), int(answer.moves.size()));
}

// Teleports; recall; angle blocks and boosters; beams; shatter and recall;
// shatter, teleports and angle blocks; both keys.
INSTANTIATE_TEST_SUITE_P(Levels, CampaignReplayTest, ::testing::Values(4, 7, 9, 13, 28, 30, 36));

}  // namespace
