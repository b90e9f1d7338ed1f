#!/bin/sh
# Tile codes and categories have names in src/rules/Board.h (Code::, Category::);
# everywhere else a tile is named, never written as a number. Fails naming
# every bare tile number in the folders below, with its file and line.
#
# A bare tile number is an integer literal whose value the rules name (-2,
# 0 to 25, 31 to 34, 113 to 127, 252 to 255; a damaged file's 57 is no tile)
#   - compared with a tile expression: `cells[x][y] == 126`, `code(x, y) != 3`,
#     `tileCategory(x, y) == -2`, `10 <= c` where c was set from one,
#     `EXPECT_EQ(board.cells[4][4], 31)`;
#   - written into a cell: `cells[x][y] = 10`, `setTile(x, y, 10)`, `findTile(2, ...)`;
#   - a case of a switch on a tile expression: `switch (category) { case 113: ...`.
# A tile expression is a cell (`cells[..][..]`), a call of `code`, `codeAt`,
# `tileCategory` or `categoryAt`, or a variable declared in the same file as
# one of those (`int c = map.cells[x][y];`). Comments and quoted text are
# not read.
# Usage: tile_numbers_test.sh SOURCE_DIR [FOLDER...]
set -u
root="$1"
shift
# The folders read, below SOURCE_DIR; src/rules, where the names are made, is left out.
folders="${*:-src tools tests bench}"
cd "$root" || exit 2
files=$(for f in $folders; do [ -e "$f" ] && find "$f" -type f \( -name '*.cpp' -o -name '*.h' \); done |
        grep -v '^src/rules/' | sort)
[ -n "$files" ] || { echo "no source files under: $folders"; exit 2; }
# shellcheck disable=SC2086
found=$(awk '
function hit() { return substr(line, RSTART, RLENGTH) }
# Whether the literal in a hit, the tile expression taken out, is a value the
# rules name: a category, a code of the table, off the board. The codes of
# a damaged file (57, 1000) have no name to use.
function named(m, expression,   v) {
    if (expression != "") gsub(expression, " ", m)
    while (match(m, /-?[0-9]+/)) {
        v = substr(m, RSTART, RLENGTH) + 0
        if (v == -2 || (v >= 0 && v <= 25) || (v >= 31 && v <= 34) || (v >= 113 && v <= 127 && v != 123) ||
            (v >= 252 && v <= 255)) return 1
        m = substr(m, RSTART + RLENGTH)
    }
    return 0
}
FNR == 1 { vars = ""; inBlock = 0; depth = 0; nsw = 0 }
{
    line = $0
    # Comments and quoted text go first: numbers there are no code.
    if (inBlock) {
        if (match(line, /\*\//)) { line = substr(line, RSTART + 2); inBlock = 0 } else next
    }
    gsub(/\\./, "", line)
    gsub(/"[^"]*"/, "\"\"", line)
    gsub(/'"'"'[^'"'"']*'"'"'/, "0c", line)
    while (match(line, /\/\*/)) {
        rest = substr(line, RSTART + 2)
        if (match(rest, /\*\//)) line = substr(line, 1, index(line, "/*") - 1) " " substr(rest, RSTART + 2)
        else { line = substr(line, 1, index(line, "/*") - 1); inBlock = 1 }
    }
    sub(/\/\/.*/, "", line)

    base = "(cells\\[[^]]*\\]\\[[^]]*\\]|(code|codeAt|tileCategory|categoryAt)\\([^()]*\\))"
    # A tile variable on its own, not a member or part of a longer name.
    var = vars == "" ? "" : "(^|[^A-Za-z0-9_.>])(" vars ")"
    varEnd = "([^A-Za-z0-9_(]|$)"
    num = "-?[0-9]+([^A-Za-z0-9_.]|$)"
    op = "[ ]*(==|!=|<=|>=|<|>)[ ]*"
    bad = 0
    if (match(line, base op num) || match(line, "(^|[^A-Za-z0-9_.])-?[0-9]+" op base)) bad += named(hit(), base)
    if (var != "" && (match(line, var op num) || match(line, "(^|[^A-Za-z0-9_.])-?[0-9]+" op "(" vars ")" varEnd)))
        bad += named(hit(), "(^|[^A-Za-z0-9_])(" vars ")")
    if (match(line, "cells\\[[^]]*\\]\\[[^]]*\\][ ]*=[ ]*" num)) bad += named(hit(), base)
    check = "(EXPECT|ASSERT)_(EQ|NE)\\([ ]*"
    if (match(line, check "[A-Za-z0-9_.>-]*" base "[ ]*,[ ]*-?[0-9]+[ ]*\\)") || match(line, check "-?[0-9]+[ ]*,[ ]*[A-Za-z0-9_.>-]*" base "[ ]*\\)"))
        bad += named(hit(), base)
    if (match(line, "setTile\\([^;()]*(\\([^()]*\\)[^;()]*)*,[ ]*-?[0-9]+[ ]*\\)")) { m = hit(); sub(/.*,/, "", m); bad += named(m, "") }
    if (match(line, "findTile\\([ ]*-?[0-9]+[ ]*,")) bad += named(hit(), "")

    # Cases of a switch on a tile expression, by brace depth.
    subject = "[A-Za-z0-9_.>-]*" base
    if (vars != "") subject = "(" subject "|(" vars "))"
    if (match(line, "switch[ ]*\\([ ]*" subject "[ ]*\\)")) { nsw++; swDepth[nsw] = depth; swOpen[nsw] = 0 }
    if (nsw > 0 && match(line, /(^|[^A-Za-z0-9_])case[ ]+-?[0-9]+[ ]*:/)) bad += named(hit(), "")
    n = split(line, chars, "")
    for (i = 1; i <= n; i++) {
        if (chars[i] == "{") { depth++; if (nsw > 0 && depth == swDepth[nsw] + 1) swOpen[nsw] = 1 }
        else if (chars[i] == "}") { depth--; if (nsw > 0 && swOpen[nsw] && depth == swDepth[nsw]) nsw-- }
    }

    # A variable set from a tile expression alone is one too, for the rest of the file.
    if (match(line, "(int|auto|const int|int32_t)[ ]+[A-Za-z_][A-Za-z0-9_]*[ ]*=[ ]*[A-Za-z0-9_.>-]*" base "[ ]*;")) {
        decl = substr(line, RSTART, RLENGTH)
        sub(/^(const int|int32_t|int|auto)[ ]+/, "", decl)
        sub(/[ ]*=.*/, "", decl)
        if (decl != "") vars = (vars == "" ? decl : vars "|" decl)
    }
    if (bad) print FILENAME ":" FNR ": " $0
}' $files)
if [ -n "$found" ]; then
    echo "$found"
    echo "bare tile numbers: name them with Code:: or Category:: from rules/Board.h"
    exit 1
fi
echo "no bare tile number outside src/rules"
