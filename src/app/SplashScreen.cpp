#include "app/SplashScreen.h"

#include "runtime/Clock.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"

namespace qm {

std::shared_ptr<SplashScreen> SplashScreen::create(const std::string& path, int duration) {
    auto splash = std::make_shared<SplashScreen>();
    splash->image = loadImage(path, -1);
    splash->minDuration = duration;
    return splash;
}

void SplashScreen::show() {
    clearFrame();
    drawImage(image, 0, 0, 0);
    flipFrame(1);
    shownAt = millisecs();
}

void SplashScreen::waitDone() {
    while (millisecs() - shownAt < minDuration) {
        pollSystemEvents();
        if (keyDown(VK_ESCAPE) || keyDown(VK_SPACE) || keyDown(VK_ENTER) || mouseDown(1)) return;
        delayMs(5);
    }
}

}  // namespace qm
