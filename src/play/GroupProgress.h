// The column of five level tokens at the right of the play screen, with the
// fade-in of a just-finished level's token.
#pragma once
#include <memory>

#include "runtime/Image.h"

namespace qm {

class GroupProgress {
public:
    float alphas[5] = {1, 1, 1, 1, 1};
    int states[5] = {0, 0, 0, 0, 0};
    int fadeDelay = 0;
    int fadeIndex = 0;
    // The ring round the place of the level being played.
    ImagePtr ring;
    int shownGroup = -1;  // the group whose tokens show
    // The group of a level played again from the level choice, -1 in the
    // campaign; the session controller sets it when a replay starts or ends.
    int replayGroup = -1;

    static std::shared_ptr<GroupProgress> create();
    void refresh();
    void draw();
    void announce(int index);
    void step();
    void reset();
};

}  // namespace qm
