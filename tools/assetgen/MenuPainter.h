// The splash logo, the title postcard and the menu panels, strips and widgets.
#pragma once
#include <string>

#include "Canvas.h"

namespace qm {

class MenuPainter {
public:
    static int writeAll(const std::string& media);
    // The game's title lettering centred at (cx, baseline).
    static void title(cairo_t* cr, double cx, double baseline, double size);
    // A parchment card (the instructions and tutorial pages).
    static void parchment(cairo_t* cr, double x, double y, double w, double h);
    // A dark glass panel with the frame's gold trim.
    static void panel(cairo_t* cr, double x, double y, double w, double h);
};

}  // namespace qm
