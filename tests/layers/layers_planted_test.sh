#!/bin/sh
# The layer check catches what it claims to: on a copy of the sources, a copy
# of a real file with one upward name planted in it fails the check, naming
# the file and the name, while the tree itself and a plant that only mentions
# such a name in a comment pass.
# Usage: layers_planted_test.sh SOURCE_DIR
set -u
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$1/src" "$work/src"
failures=0

# plant FILE_FROM NEW_NAME LINE EXPECTED: EXPECTED "" means the check must pass.
plant() {
    folder=$(dirname "$2")
    cp "$work/src/$1" "$work/src/$2"
    echo "$3" >> "$work/src/$2"
    out=$(sh "$here/layers_test.sh" "$work")
    rc=$?
    if [ -z "$4" ]; then
        [ $rc -eq 0 ] || { echo "FAIL: '$3' in src/$2 should pass, got: $out"; failures=$((failures + 1)); }
    else
        [ $rc -ne 0 ] || { echo "FAIL: '$3' in src/$2 passed the check"; failures=$((failures + 1)); }
        echo "$out" | grep -qxF "$4" || { echo "FAIL: expected '$4', got: $out"; failures=$((failures + 1)); }
        [ "$(echo "$out" | wc -l)" -eq 1 ] || { echo "FAIL: more than the plant reported: $out"; failures=$((failures + 1)); }
    fi
    rm "$work/src/$2"
}

out=$(sh "$here/layers_test.sh" "$work") || { echo "FAIL: the tree itself fails: $out"; failures=$((failures + 1)); }
# The play layer names the editor's type, without including its header.
plant play/GroupProgress.cpp play/PlantedA.cpp "namespace qm { class EditorState; EditorState* planted = nullptr; }" \
    "src/play/PlantedA.cpp names EditorState, of a higher layer"
# A menu type in a play header, as the old play/Globals.h had them.
plant play/Globals.h play/PlantedB.h "namespace qm { class mainMenuType; }" \
    "src/play/PlantedB.h names mainMenuType, of a higher layer"
# The play layer branches on the editor being on.
plant play/BoardPainter.cpp play/PlantedC.cpp "namespace qm { int planted() { return editorOn; } }" \
    "src/play/PlantedC.cpp names editorOn, of a higher layer"
# Beside is not below: the editor names the level choice of the menus.
plant editor/EditorState.cpp editor/PlantedD.cpp "namespace qm { class levelSelectType; }" \
    "src/editor/PlantedD.cpp names levelSelectType, of a higher layer"
# The rules include the play layer.
plant rules/Board.cpp rules/PlantedE.cpp '#include "play/LevelMap.h"' \
    "src/rules/PlantedE.cpp includes play/"
# Words in comments and strings are not names.
plant play/GroupProgress.cpp play/PlantedF.cpp '// the EditorState and the worldMapType; "mainMenuType"' ""

[ $failures -eq 0 ] && echo "every planted upward name is caught, and only those"
exit $((failures > 0))
