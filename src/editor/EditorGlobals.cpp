#include "editor/EditorGlobals.h"

namespace qm {

std::shared_ptr<EditorState> editorState;
std::shared_ptr<ReachabilityView> reachabilityView;
ImagePtr editorTilesImage;

int editorOn = 0;
int developerMode = QM_DEVELOPER_MODE;

void resetEditorGlobals() {
    editorState = nullptr;
    reachabilityView = nullptr;
    editorTilesImage = nullptr;
    editorOn = 0;
    developerMode = QM_DEVELOPER_MODE;
}

}  // namespace qm
