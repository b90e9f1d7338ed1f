// The ten tutorial pages (640 x 448, drawn over the parchment panel): six that
// teach with pictures of the tiles they name, a congratulation and credits.
#pragma once
#include <string>

namespace qm {

class TutorialPainter {
public:
    static int writeAll(const std::string& media);
};

}  // namespace qm
