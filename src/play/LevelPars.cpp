#include "play/LevelPars.h"

#include "rules/Solver.h"
#include "runtime/Background.h"

namespace qm {

std::shared_future<int> LevelPars::workOut(const Board& board, const PlayState& start) {
    if (board.endX < 0) {
        std::promise<int> none;
        none.set_value(-1);
        return none.get_future().share();
    }
    Solver solver(board, start);
    solver.stateCap = kParStateCap;
    return startInBackground([solver]() mutable {
               SolveResult result = solver.solve();
               return result.solved ? int(result.moves.size()) : -1;
           }).share();
}

std::shared_future<int> LevelPars::of(int levelNumber, const Board& board, const PlayState& start) {
    auto known = pars.find(levelNumber);
    if (known != pars.end()) return known->second;
    return pars[levelNumber] = workOut(board, start);
}

}  // namespace qm
