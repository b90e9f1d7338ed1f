// The world map: an island whose road follows the game's 28-segment route,
// with the 33 places of the journey along it.
#pragma once
#include <string>
#include <vector>

namespace qm {

class WorldMapPainter {
public:
    struct Point {
        int x, y;
    };
    // The route's points, segment by segment, with the game's own Bezier rounding.
    static std::vector<std::vector<Point>> routePoints(int stepsPerSegment);
    static bool write(const std::string& path);
};

}  // namespace qm
