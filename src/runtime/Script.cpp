// Scripted input for test and tool runs: events keyed by flip number, fed
// through the same input functions as window events, plus screenshots of
// chosen frames.
#include "Script.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "Backend.h"
#include "Files.h"
#include "Image.h"
#include "Input.h"

namespace qm {

namespace {

std::vector<ScriptEvent> script;
size_t nextEvent = 0;  // events before this index have been applied
bool scriptLoaded = false;

bool parseInt(const std::string& word, int& out) {
    if (word.empty()) return false;
    size_t i = word[0] == '-' ? 1 : 0;
    if (i == word.size() || word.size() > 10) return false;
    long long v = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return false;
        v = v * 10 + (word[i] - '0');
    }
    out = int(word[0] == '-' ? -v : v);
    return true;
}

// One of two words: 1 for the first, 0 for the second, -1 for neither.
int choice(const std::string& word, const char* one, const char* zero) {
    return word == one ? 1 : word == zero ? 0 : -1;
}

bool parseLine(const std::string& line, ScriptEvent& ev, std::string& why) {
    std::istringstream words(line);
    std::string frameWord, kind;
    words >> frameWord >> kind;
    if (!parseInt(frameWord, ev.frame) || ev.frame < 0) {
        why = "the frame must be a whole number of 0 or more";
        return false;
    }
    std::vector<std::string> args;
    for (std::string w; words >> w;) args.push_back(w);
    auto need = [&](size_t n) {
        if (args.size() == n) return true;
        why = "\"" + kind + "\" takes " + std::to_string(n) + " argument(s)";
        return false;
    };
    if (kind == "key") {
        ev.kind = ScriptEvent::KEY;
        if (!need(2)) return false;
        if (!parseInt(args[0], ev.a) || ev.a < 1 || ev.a > 255) return (why = "key code must be 1..255", false);
        if ((ev.b = choice(args[1], "down", "up")) < 0) return (why = "key state must be down or up", false);
        return true;
    }
    if (kind == "mouse") {
        ev.kind = ScriptEvent::MOUSE;
        if (!need(2)) return false;
        if (!parseInt(args[0], ev.a) || !parseInt(args[1], ev.b)) return (why = "mouse needs X Y", false);
        return true;
    }
    if (kind == "button") {
        ev.kind = ScriptEvent::BUTTON;
        if (!need(2)) return false;
        if (!parseInt(args[0], ev.a) || ev.a < 1 || ev.a > 2) return (why = "button must be 1 or 2", false);
        if ((ev.b = choice(args[1], "down", "up")) < 0) return (why = "button state must be down or up", false);
        return true;
    }
    if (kind == "wheel") {
        ev.kind = ScriptEvent::WHEEL;
        if (!need(1)) return false;
        if (!parseInt(args[0], ev.a) || ev.a < -100 || ev.a > 100) return (why = "wheel steps must be -100..100", false);
        return true;
    }
    if (kind == "char") {
        ev.kind = ScriptEvent::CHAR;
        if (!need(1)) return false;
        if (!parseInt(args[0], ev.a) || ev.a < 1 || ev.a > 0x10FFFF) return (why = "char code must be positive", false);
        return true;
    }
    if (kind == "focus") {
        ev.kind = ScriptEvent::FOCUS;
        if (!need(1)) return false;
        if ((ev.a = choice(args[0], "gained", "lost")) < 0) return (why = "focus must be lost or gained", false);
        return true;
    }
    if (kind == "close") {
        ev.kind = ScriptEvent::CLOSE;
        return need(0);
    }
    if (kind == "printscreen") {
        ev.kind = ScriptEvent::PRINTSCREEN;
        if (!need(1)) return false;
        if ((ev.a = choice(args[0], "down", "up")) < 0) return (why = "printscreen must be down or up", false);
        return true;
    }
    if (kind == "shot") {
        ev.kind = ScriptEvent::SHOT;
        if (ev.frame < 1) return (why = "a shot names a flip, 1 or more", false);
        // The path is the rest of the line, so it may hold spaces.
        size_t at = line.find("shot");
        std::string rest = line.substr(at + 4);
        size_t b = rest.find_first_not_of(" \t"), e = rest.find_last_not_of(" \t");
        if (b == std::string::npos) return (why = "shot needs a path", false);
        ev.path = rest.substr(b, e - b + 1);
        return true;
    }
    why = kind.empty() ? "missing event kind" : "unknown event kind \"" + kind + "\"";
    return false;
}

}  // namespace

bool parseScript(const std::string& text, std::vector<ScriptEvent>& out, std::string& error) {
    out.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        ScriptEvent ev;
        std::string why;
        if (!parseLine(line, ev, why)) {
            error = "script line " + std::to_string(number) + ": " + why;
            out.clear();
            return false;
        }
        out.push_back(ev);
    }
    // Events of one frame keep their written order.
    std::stable_sort(out.begin(), out.end(), [](const ScriptEvent& x, const ScriptEvent& y) { return x.frame < y.frame; });
    return true;
}

void loadInputScript(std::vector<ScriptEvent> events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& x, const ScriptEvent& y) { return x.frame < y.frame; });
    script = std::move(events);
    nextEvent = 0;
    scriptLoaded = true;
    applyScriptEvents(0);
}

void applyScriptEvents(int frame) {
    for (; nextEvent < script.size() && script[nextEvent].frame <= frame; ++nextEvent) {
        const ScriptEvent& ev = script[nextEvent];
        switch (ev.kind) {
        case ScriptEvent::KEY: inputKeyEvent(ev.a, ev.b == 1); break;
        case ScriptEvent::MOUSE: inputMouseMove(ev.a, ev.b); break;
        case ScriptEvent::BUTTON: inputMouseButton(ev.a, ev.b == 1); break;
        case ScriptEvent::CHAR: inputChar(ev.a); break;
        case ScriptEvent::WHEEL: inputMouseWheel(ev.a); break;
        case ScriptEvent::FOCUS: inputFocus(ev.a == 1); break;
        case ScriptEvent::CLOSE: inputCloseRequest(); break;
        case ScriptEvent::PRINTSCREEN: inputPrintScreen(ev.a == 1); break;
        case ScriptEvent::SHOT: break;  // taken before the flip presents
        }
    }
}

bool hasInputScript() { return scriptLoaded; }

void Backend::takeScriptShots(int flipNumber) {
    bool grabbed = false;
    Pixmap frame;
    for (size_t i = nextEvent; i < script.size() && script[i].frame <= flipNumber; ++i) {
        if (script[i].kind != ScriptEvent::SHOT || script[i].frame != flipNumber) continue;
        if (!grabbed) frame = grabFrame();
        grabbed = true;
        if (!savePng(frame, script[i].path, 5))
            std::fprintf(stderr, "quillmere: cannot write the shot %s\n", script[i].path.c_str());
    }
}

void Backend::resetScript() {
    script.clear();
    nextEvent = 0;
    scriptLoaded = false;
}

}  // namespace qm
