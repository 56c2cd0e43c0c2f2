#!/usr/bin/env bash
# Checks that includes point down the layers only:
#   platform < engine < res < util < controls < the program's subsystems
# (app editor commands dialogs frames source web publish images effects chrome
# skins, which include each other freely). A lower layer that needs something
# of a higher one declares a small interface of its own (util/AppContext.h,
# controls/SkinContext.h) that the higher one implements.
#   scripts/check-layers.sh [source root]     (default: this repository)
# Prints "file:line: ..." for every include that points upward and fails;
# prints nothing and succeeds when the layers are kept.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

subsystems="app editor commands dialogs frames source web publish images effects chrome skins"

# What each checked layer must not include.
forbidden_for() {
    case $1 in
    platform) echo "engine res util controls $subsystems" ;;
    engine) echo "res util controls $subsystems" ;;
    res) echo "util controls $subsystems" ;;
    util) echo "controls $subsystems" ;;
    controls) echo "$subsystems" ;;
    esac
}

status=0
for layer in platform engine res util controls; do
    [ -d "$layer" ] || continue
    find "$layer" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' -o -name '*.inl' \) -print0 |
        sort -z | xargs -0 -r awk -v layer="$layer" -v forbidden="$(forbidden_for "$layer")" '
        BEGIN {
            n = split(forbidden, list, " ")
            for (i = 1; i <= n; ++i)
                above[list[i]] = 1
        }
        # "a/b/../c.h" -> "a/c.h"
        function normalise(path,    parts, n, i, out, k) {
            n = split(path, parts, "/")
            k = 0
            for (i = 1; i <= n; ++i) {
                if (parts[i] == "." || parts[i] == "")
                    continue
                if (parts[i] == ".." && k > 0 && out[k] != "..")
                    --k
                else
                    out[++k] = parts[i]
            }
            path = ""
            for (i = 1; i <= k; ++i)
                path = path (i > 1 ? "/" : "") out[i]
            return path
        }
        function exists(path,    line, r) {
            r = (getline line < path)
            close(path)
            return r >= 0
        }
        match($0, /^[ \t]*#[ \t]*include[ \t]*["<][^">]+[">]/) {
            target = substr($0, RSTART, RLENGTH)
            sub(/^[ \t]*#[ \t]*include[ \t]*["<]/, "", target)
            sub(/[">]$/, "", target)
            # As the compiler looks: beside the including file first, then
            # from the source root.
            dir = FILENAME
            sub(/\/[^\/]*$/, "", dir)
            if (target ~ /^\.\.\// || exists(dir "/" target))
                resolved = normalise(dir "/" target)
            else
                resolved = normalise(target)
            top = resolved
            if (!sub(/\/.*/, "", top))
                next
            if (top in above) {
                printf "%s:%d: includes \"%s\": %s/ must not include %s/, which lies above it\n", FILENAME, FNR, target, layer, top
                bad = 1
            }
        }
        END { exit bad }' || status=1
done
if [ $status -ne 0 ]; then
    echo "check-layers: includes point upward; a lower layer reaches upward only through an interface it declares itself" >&2
fi
exit $status
