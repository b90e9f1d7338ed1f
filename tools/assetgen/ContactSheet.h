// Review pictures: every style with a sample board, the gizmo sheet enlarged,
// the menus. The small styles sheet is kept under docs/.
#pragma once
#include <memory>
#include <string>

#include "Canvas.h"

namespace qm {

class ContactSheet {
public:
    // A play screen mock-up: background, a sample board, the ball and the frame.
    static std::shared_ptr<Canvas> scene(int style);
    static bool styles(const std::string& path, double scale);
    static bool single(int style, const std::string& path);
    static bool gizmos(const std::string& path);
    // The menu screens composed from the written files under media.
    static bool menus(const std::string& media, const std::string& path);
    static bool tutorials(const std::string& media, const std::string& path);
};

}  // namespace qm
