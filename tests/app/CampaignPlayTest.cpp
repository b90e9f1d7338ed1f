// The solver's answers typed into the real game: for a campaign level of each
// gizmo kind (keys, beams, teleports, recall, angle blocks, boosters, shatter
// blocks), the headless program is started on that level, plays the moves
// through its scripted keyboard, and the files it writes record the level as
// solved at par.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "play/LevelMap.h"
#include "rules/MoveSimulator.h"
#include "rules/Solver.h"
#include "runtime/Diagnostics.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

struct CampaignPick {
    int level = -1;
    std::string moves;
    std::vector<int> ticks;  // per move, from playing it on the game's board
};

// The first campaign level from 15 on (past the tutorial pages) whose
// shortest solution uses `use`.
CampaignPick pickLevel(int use, const std::vector<int>& taken) {
    CampaignPick pick;
    for (int level = 15; level <= kLastLevel; ++level) {
        if (std::find(taken.begin(), taken.end(), level) != taken.end()) continue;
        auto board = LevelMap::create(level);
        if (board->endX < 0) continue;
        SolveResult r = Solver(*board).solve();
        if (!r.solved || !(r.uses & use)) continue;
        pick.level = level;
        pick.moves = r.moves;
        PlayState replay = PlayState::start(*board);
        for (char letter : r.moves) {
            int dir = letter == 'U' ? 1 : letter == 'R' ? 2 : letter == 'D' ? 3 : 4;
            pick.ticks.push_back(MoveSimulator::play(*board, replay, dir).ticks);
        }
        return pick;
    }
    return pick;
}

TEST(CampaignPlayTest, SolverAnswersSolveCampaignLevelsInTheRealGame) {
    resetGlobals();
    RuntimeOptions o;
    o.headless = true;
    runtimeInit(o);
    setDebugLogTarget("");
    test::TempFolder folder;
    folder.linkGameData();

    std::vector<int> taken;
    std::vector<CampaignPick> picks;
    for (int use : {USE_KEY, USE_SWITCH, USE_TELEPORT, USE_RECALL_PAD, USE_ANGLE, USE_BOOSTER, USE_SHATTER}) {
        CampaignPick pick = pickLevel(use, taken);
        ASSERT_GE(pick.level, 0) << "no campaign level uses " << gizmoUseNames(use);
        taken.push_back(pick.level);
        picks.push_back(pick);
    }
    resetGlobals();
    runtimeShutdown();

    for (const CampaignPick& pick : picks) {
        SCOPED_TRACE("level " + std::to_string(pick.level) + " " + pick.moves);
        // A profile where every earlier level is solved, so the game continues here.
        std::string profile(175, '\0');
        for (int i = 0; i < pick.level; ++i) profile[size_t(i)] = 1;
        test::writeBinary("save0.dat", profile);

        std::ostringstream script;
        script << "40 key 13 down\n41 key 13 up\n";  // Enter on the main menu: play
        int frame = 90;
        for (size_t i = 0; i < pick.moves.size(); ++i) {
            char letter = pick.moves[i];
            int vk = letter == 'U' ? 38 : letter == 'R' ? 39 : letter == 'D' ? 40 : 37;
            script << frame << " key " << vk << " down\n" << frame + 2 << " key " << vk << " up\n";
            frame += pick.ticks[i] + 12;
        }
        script << frame + 60 << " close\n";
        test::writeBinary("script.txt", script.str());
        std::string command = std::string(QM_GAME_DIR) +
                              "/quillmere --headless --script script.txt --log log.txt --max-frames " +
                              std::to_string(frame + 400) + " >/dev/null 2>&1";
        ASSERT_EQ(test::runCommand(command), 0);
        std::string saved = test::readBinary("save0.dat");
        ASSERT_EQ(saved.size(), 175u);
        EXPECT_EQ(int(saved[size_t(pick.level)]), 1) << test::readText("log.txt").substr(0, 4000);
        std::string best = test::readBinary("best0.dat");  // a 16-bit count a level
        ASSERT_GE(best.size(), size_t(2 * pick.level + 2));
        EXPECT_EQ(int(uint8_t(best[size_t(2 * pick.level)])), int(pick.moves.size()));
    }
}

}  // namespace
