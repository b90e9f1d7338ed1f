// The logo shown while the game loads; it stays for its minimum time unless
// the player presses a key or clicks.
#pragma once
#include <memory>
#include <string>
#include "runtime/Image.h"

namespace qm {

class SplashScreen {
public:
    int shownAt = 0;
    int minDuration = 0;
    ImagePtr image;

    static std::shared_ptr<SplashScreen> create(const std::string& path, int duration);
    void show();
    void waitDone();
};

}  // namespace qm
