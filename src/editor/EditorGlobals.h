// The editor's long-lived objects and flags, kept in its own layer so the
// play layer below never sees them; resetEditorGlobals() gives a test a fresh
// start (app/AppGlobals.h resets every layer at once).
#pragma once
#include <memory>

#include "runtime/Image.h"

namespace qm {

class EditorState;
class ReachabilityView;

extern std::shared_ptr<EditorState> editorState;
extern std::shared_ptr<ReachabilityView> reachabilityView;
// The editor's marker strip "media\tiles\tileseditor.png", loaded by the
// reachability search and handed to the board's painter while the editor is on.
extern ImagePtr editorTilesImage;

extern int editorOn;
extern int developerMode;  // fixed by the build; tests may set it

// Drops the editor's objects and puts its flags back to their start values.
void resetEditorGlobals();

}  // namespace qm
