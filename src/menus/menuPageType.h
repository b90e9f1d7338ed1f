// Page-like screens (tutorial pages, the world map): they close on any key or
// click once faded in, and show their strip frames without highlight.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class menuPageType : public menuScreenType {
public:
    void handleInput() override;
    void drawMenu() override;
};

}  // namespace qm
