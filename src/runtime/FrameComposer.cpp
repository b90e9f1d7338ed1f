// The kept drawing calls of the frame being drawn, of the frame before, and
// of the beginning that the kept picture shows (see FrameComposer.h).
#include "FrameComposer.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "Backend.h"
#include "Graphics.h"

namespace qm {

namespace {

// Keeping a picture costs one copy of the frame: worth it only when the
// shared beginning is more than a clear and a background.
constexpr size_t kMinSharedCalls = 3;

struct Kept {
    bool reuse = true;
    std::vector<DrawCommand> pending;   // this frame's calls
    size_t drawnUpTo = 0;               // pending calls already drawn (a read between flips)
    std::vector<DrawCommand> previous;  // the last frame composed, when it began clean
    bool previousClean = false;
    std::vector<DrawCommand> pictured;  // the calls the kept picture shows
    FrameComposer::Counts counts;
} kept;

bool beginsClean(const std::vector<DrawCommand>& calls) {
    return !calls.empty() && calls.front().kind == DrawCommand::Clear;
}

bool recording() { return kept.reuse && graphicsAreOpen(); }

}  // namespace

void FrameComposer::submit(DrawCommand&& command) {
    if (recording()) kept.pending.push_back(std::move(command));
    else executeDrawCommand(command);
}

void FrameComposer::drawPending() {
    for (size_t i = kept.drawnUpTo; i < kept.pending.size(); ++i) executeDrawCommand(kept.pending[i]);
    kept.drawnUpTo = kept.pending.size();
}

bool FrameComposer::compose() {
    std::vector<DrawCommand>& calls = kept.pending;
    bool clean = beginsClean(calls);
    size_t start = kept.drawnUpTo;
    if (start == 0 && clean && kept.previousClean && calls == kept.previous) {
        calls.clear();
        ++kept.counts.reused;
        return false;
    }
    size_t keepAt = 0;
    if (start == 0 && clean) {
        const std::vector<DrawCommand>& shown = kept.pictured;
        if (!shown.empty() && shown.size() < calls.size() && std::equal(shown.begin(), shown.end(), calls.begin()) &&
            Backend::restoreFramePicture())
            start = shown.size();
        size_t shared = 0;
        if (kept.previousClean) {
            size_t n = std::min(calls.size(), kept.previous.size());
            while (shared < n && calls[shared] == kept.previous[shared]) ++shared;
        }
        if (shared > start && shared >= kMinSharedCalls && shared < calls.size()) keepAt = shared;
    }
    if (start > 0 && kept.drawnUpTo == 0) ++kept.counts.resumed;
    else ++kept.counts.whole;
    for (size_t i = start; i < calls.size(); ++i) {
        if (i == keepAt && keepAt > 0) {
            kept.pictured.clear();
            if (Backend::keepFramePicture()) kept.pictured.assign(calls.begin(), calls.begin() + std::ptrdiff_t(i));
        }
        executeDrawCommand(calls[i]);
    }
    kept.previous = std::move(calls);
    kept.previousClean = clean;
    calls.clear();
    kept.drawnUpTo = 0;
    return true;
}

void FrameComposer::reset() {
    kept.pending.clear();
    kept.drawnUpTo = 0;
    kept.previous.clear();
    kept.previousClean = false;
    kept.pictured.clear();
    kept.counts = Counts{};
}

void FrameComposer::setReuse(bool on) {
    drawPending();
    kept.pending.clear();
    kept.drawnUpTo = 0;
    kept.previous.clear();
    kept.previousClean = false;
    kept.pictured.clear();
    kept.reuse = on;
}

bool FrameComposer::reuse() { return kept.reuse; }

FrameComposer::Counts FrameComposer::counts() { return kept.counts; }

}  // namespace qm
