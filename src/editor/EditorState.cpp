// Placeholder definitions; replaced by the real implementation.
#include "editor/EditorState.h"

namespace qm {

std::shared_ptr<EditorState> EditorState::create() { return std::make_shared<EditorState>(); }
void EditorState::editorTick(int inputAllowed) { }

std::string EditorState::helpLine(int index) { return {}; }

}  // namespace qm
