#!/bin/sh
# Folders are layers: each folder under src/ includes only the folders below
# it (docs/architecture.md). Fails naming every include that reaches up.
# Usage: layers_test.sh SOURCE_DIR
set -u
src="$1/src"
allowed() {
    case "$1" in
        runtime|rules) echo "" ;;
        audio|playlog) echo "runtime" ;;
        boardart) echo "runtime rules" ;;
        play) echo "runtime rules boardart audio playlog" ;;
        editor|menus) echo "runtime rules boardart audio playlog play" ;;
        app) echo "runtime rules boardart audio playlog play editor menus" ;;
        *) echo "UNKNOWN" ;;
    esac
}
found=$(for dir in "$src"/*/; do
    folder=$(basename "$dir")
    ok=$(allowed "$folder")
    if [ "$ok" = "UNKNOWN" ]; then
        echo "src/$folder is in no layer: place it in docs/architecture.md and in this test"
        continue
    fi
    for file in "$dir"*.h "$dir"*.cpp; do
        [ -e "$file" ] || continue
        for used in $(grep -o '#include "[a-z]*/' "$file" | sed 's/#include "//; s/\///' | sort -u); do
            [ "$used" = "$folder" ] && continue
            case " $ok " in
                *" $used "*) ;;
                *) echo "src/$folder/$(basename "$file") includes $used/" ;;
            esac
        done
    done
done)
if [ -n "$found" ]; then
    echo "$found"
    exit 1
fi
echo "every folder includes only the layers below it"
