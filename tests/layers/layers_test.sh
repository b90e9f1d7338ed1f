#!/bin/sh
# Folders are layers (docs/architecture.md). Each folder under src/ includes
# only the folders below it, and names no type of a folder it may not include:
# a class, struct, enum or `using` alias defined in a header of a higher (or
# sibling) folder, written anywhere in its code outside comments and strings,
# even without the include (a forward declaration, a pointer, a friend); nor
# a global such a header declares `extern` (the editor's `editorOn`).
# A name defined in a folder the file may see as well (its own or one below)
# is not counted. Fails naming every include and every name that reaches up.
# The level tool (tools/levels) includes only the rules, the board art and the runtime.
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
# A file's code without its comments and string literals, so that words in
# them ("the editor's EditorState") are not taken for names.
code_of() {
    sed -e 's/"\([^"\\]\|\\.\)*"/""/g' -e 's://.*$::' "$1"
}
# The types a folder's headers define (declarations ending in ';' are only
# forward declarations, not definitions); the globals they declare; every
# word of their code.
types_of() {
    for header in "$src/$1"/*.h; do
        [ -e "$header" ] || continue
        code_of "$header" | sed -n \
            -e 's/^[[:space:]]*\(template[[:space:]]*<[^>]*>[[:space:]]*\)\{0,1\}\(class\|struct\|enum[[:space:]]\{1,\}class\|enum[[:space:]]\{1,\}struct\|enum\)[[:space:]]\{1,\}\([A-Za-z_][A-Za-z0-9_]*\)\([^;]*\)$/\3/p' \
            -e 's/^[[:space:]]*using[[:space:]]\{1,\}\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*=.*/\1/p'
    done
}
globals_of() {
    for header in "$src/$1"/*.h; do
        [ -e "$header" ] || continue
        code_of "$header" | sed -n \
            -e 's/^[[:space:]]*extern[[:space:]].*[^A-Za-z0-9_]\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*\(\[[^]]*\]\)\{0,1\}[[:space:]]*;.*/\1/p'
    done
}
words_of() {
    for header in "$src/$1"/*.h; do
        [ -e "$header" ] || continue
        code_of "$header" | grep -ow '[A-Za-z_][A-Za-z0-9_]*'
    done
}
folders=$(for dir in "$src"/*/; do basename "$dir"; done)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for folder in $folders; do
    types_of "$folder" | sort -u > "$tmp/$folder.types"
    globals_of "$folder" | sort -u > "$tmp/$folder.globals"
    words_of "$folder" | sort -u > "$tmp/$folder.words"
done

found=$(for folder in $folders; do
    ok=$(allowed "$folder")
    if [ "$ok" = "UNKNOWN" ]; then
        echo "src/$folder is in no layer: place it in docs/architecture.md and in this test"
        continue
    fi
    # The names of the folders above (and beside) this one that it may not see.
    # A global's name may also be a field below (GameLog's programStartSeconds):
    # a word of the headers this folder sees is its own.
    : > "$tmp/seen"
    : > "$tmp/seenwords"
    : > "$tmp/above"
    : > "$tmp/aboveglobals"
    for other in $folders; do
        case " $folder $ok " in
            *" $other "*)
                cat "$tmp/$other.types" >> "$tmp/seen"
                cat "$tmp/$other.words" >> "$tmp/seenwords" ;;
            *)
                cat "$tmp/$other.types" >> "$tmp/above"
                cat "$tmp/$other.globals" >> "$tmp/aboveglobals" ;;
        esac
    done
    sort -u "$tmp/seen" -o "$tmp/seen"
    sort -u "$tmp/seenwords" -o "$tmp/seenwords"
    sort -u "$tmp/above" | comm -23 - "$tmp/seen" > "$tmp/forbidden"
    sort -u "$tmp/aboveglobals" | comm -23 - "$tmp/seenwords" >> "$tmp/forbidden"
    for file in "$src/$folder"/*.h "$src/$folder"/*.cpp; do
        [ -e "$file" ] || continue
        for used in $(grep -o '#include "[a-z]*/' "$file" | sed 's/#include "//; s/\///' | sort -u); do
            [ "$used" = "$folder" ] && continue
            case " $ok " in
                *" $used "*) ;;
                *) echo "src/$folder/$(basename "$file") includes $used/" ;;
            esac
        done
        if [ -s "$tmp/forbidden" ]; then
            for name in $(code_of "$file" | grep -v '^[[:space:]]*#include' | grep -owFf "$tmp/forbidden" | sort -u); do
                echo "src/$folder/$(basename "$file") names $name, of a higher layer"
            done
        fi
    done
done
# The level tool stands on the rules alone, with the board's art and the runtime.
for file in "$1"/tools/levels/*.h "$1"/tools/levels/*.cpp; do
    [ -e "$file" ] || continue
    for used in $(grep -o '#include "[a-z]*/' "$file" | sed 's/#include "//; s/\///' | sort -u); do
        case " runtime rules boardart " in
            *" $used "*) ;;
            *) echo "tools/levels/$(basename "$file") includes $used/" ;;
        esac
    done
done)
if [ -n "$found" ]; then
    echo "$found"
    exit 1
fi
echo "every folder includes and names only the layers below it"
