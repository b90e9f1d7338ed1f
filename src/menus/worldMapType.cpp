// The world map: a full-screen picture with a route of 28 Bezier segments
// traced in glowing dots up to the player's progress, the ball at its head.
#include "menus/worldMapType.h"
#include <cmath>
#include "play/AssetCatalogue.h"
#include "menus/MenuGlobals.h"
#include "play/Globals.h"
#include "play/PlayerProfile.h"
#include "play/BoardTransition.h"
#include "runtime/Graphics.h"

namespace qm {

namespace {
// start, first control, end, second control.
constexpr int kRoute[worldMapType::kSegmentCount][8] = {
    {101, 273, 100, 325, 191, 378, 130, 377}, {191, 378, 258, 380, 274, 298, 267, 334},
    {274, 298, 284, 298, 302, 296, 293, 297}, {302, 296, 315, 301, 354, 307, 333, 314},
    {354, 307, 414, 289, 579, 300, 509, 300}, {579, 301, 586, 311, 586, 323, 581, 312},
    {586, 323, 589, 329, 601, 335, 597, 331}, {601, 336, 602, 335, 603, 335, 602, 335},
    {603, 335, 602, 343, 588, 344, 596, 344}, {588, 344, 588, 358, 589, 375, 591, 367},
    {589, 375, 610, 376, 651, 376, 630, 376}, {651, 376, 653, 374, 657, 369, 655, 371},
    {657, 369, 657, 357, 657, 339, 656, 346}, {657, 339, 650, 339, 635, 340, 642, 340},
    {635, 340, 632, 337, 630, 328, 630, 335}, {630, 328, 633, 328, 630, 328, 637, 328},
    {630, 328, 642, 325, 655, 302, 654, 304}, {655, 302, 660, 298, 675, 300, 668, 303},
    {675, 300, 681, 296, 692, 287, 686, 291}, {692, 287, 692, 273, 687, 263, 689, 271},
    {687, 263, 685, 260, 679, 254, 682, 257}, {679, 254, 667, 249, 573, 259, 575, 256},
    {573, 259, 537, 251, 439, 254, 482, 255}, {439, 254, 424, 255, 394, 255, 409, 255},
    {394, 255, 382, 251, 325, 247, 340, 243}, {325, 247, 309, 252, 282, 259, 310, 259},
    {282, 259, 267, 239, 189, 168, 255, 168}, {189, 168, 131, 167, 101, 273, 101, 220},
};
constexpr float kDotSpacing = 40.0f;
constexpr int kLastSegment = worldMapType::kSegmentCount - 1;

// Where t of a segment lies; a degenerate segment counts as its end point.
float fractionOf(float along, float length) {
    if (length <= 0) return 1.0f;
    return along / length;
}
}  // namespace

std::shared_ptr<worldMapType> worldMapType::create() {
    auto map = std::make_shared<worldMapType>();
    map->setupMenu(0, 0, 0, -1, -1, 0, 0, 1, 1, 0, "worldMap.png", "levelSquares.png", 9, "", 0, 0);
    // A map built at some progress shows its route at once, without growing.
    map->drawnLength = map->targetLength();
    map->route.clear();
    for (const auto& r : kRoute) map->route.push_back(SplineType::create(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]));
    map->resetMenu();
    return map;
}

float worldMapType::targetLength() const {
    int finished = 0;
    if (playerProfile) {
        for (int i = 1; i < kProfileLevels; i++) {
            int s = playerProfile->levelStates[i];
            if (s == 1 || s == 2) finished++;
        }
    }
    return float(lengthPerLevel * finished);
}

void worldMapType::resetMenu() {
    state = CLOSED;
    fade = 0;
    pageTurnOnOpen = 0;
}

void worldMapType::openMenu() {
    menuScreenType::openMenu();
    particles = ParticleNode::create();
}

void worldMapType::closeMenu() {
    fade = int(std::lround(fade * 1.5));
    menuScreenType::closeMenu();
    if (mapTransition) mapTransition->resume();
}

void worldMapType::updateMenu(int suppressInput) {
    menuScreenType::updateMenu(suppressInput);
    if (particles) {
        animatePath();
        particles->update();
    }
}

void worldMapType::activate(int byMouse) { closeMenu(); }

void worldMapType::animatePath() {
    if (state != OPENING && state != OPEN) return;
    stepDivider++;
    if (stepDivider < 2) return;
    stepDivider = 0;

    float target = targetLength();
    if (drawnLength < target) {
        drawnLength += 1.0f;
    } else if (drawnLength > target) {
        // Progress went down (a profile reset): the route is gone.
        drawnLength = 0;
        headX = headY = -1;
    }
    phase += 0.04f;
    if (phase >= 1.0f) phase = 0;

    if (int(route.size()) < kSegmentCount) return;
    // Dots stand every 40 pixels along the drawn route, all shifted by the
    // phase, so they seem to flow along it.
    float d = phase * kDotSpacing;
    int s = 0;
    float covered = 0;
    while (d < drawnLength) {
        while (d - covered > route[s]->length && s < kLastSegment) {
            covered += route[s]->length;
            s++;
        }
        if (d - covered > route[s]->length) break;  // past the end of the route
        SplinePoint p = segmentPoint(fractionOf(d - covered, route[s]->length), *route[s]);
        spawnParticles(5, float(p.x), float(p.y), 1.0f, -1, -1, particles);
        d += kDotSpacing;
    }

    if (drawnLength > 0) {
        while (drawnLength - covered > route[s]->length && s < kLastSegment) {
            covered += route[s]->length;
            s++;
        }
        float t = fractionOf(drawnLength - covered, route[s]->length);
        if (t > 1.0f) t = 1.0f;
        SplinePoint p = segmentPoint(t, *route[s]);
        spawnParticles(6, float(p.x), float(p.y), 1.0f, -1, -1, particles);
        headX = p.x;
        headY = p.y;
    }
}

void worldMapType::drawMenu() {
    menuPageType::drawMenu();
    if (fade <= 0 || !particles) return;
    float alpha = float(fade) / kFadeSteps;
    particles->draw(0, 0, 0, alpha);
    setColour(255, 255, 255);
    if (headX > 0 && headY > 0 && alpha > 0.5f && AssetCatalogue::ballImage) {
        setBlend(BLEND_LIGHT);
        setAlpha(alpha);
        setScale(0.8f, 0.8f);
        drawImage(AssetCatalogue::ballImage, float(headX), float(headY), 0);
    }
    setScale(1, 1);
}

}  // namespace qm
