// The yes/no box that confirms a profile reset.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class resetProfileMenuType : public menuScreenType {
public:
    enum : int { SLOT_YES = 0, SLOT_NO = 1 };

    static std::shared_ptr<resetProfileMenuType> create();
    void resetMenu() override;
    void activate(int byMouse) override;
    // Escape answers No.
    bool goBack() override;
};

}  // namespace qm
