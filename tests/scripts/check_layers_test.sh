#!/usr/bin/env bash
# scripts/check-layers.sh on a made-up tree: every include that points
# upward is reported with its file and line, and nothing else is.
#   tests/scripts/check_layers_test.sh <repository root>
set -euo pipefail
repo=$1
check="$repo/scripts/check-layers.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

put() { mkdir -p "$(dirname "$tree/$1")"; cat > "$tree/$1"; }

# Upward includes, in every form the preprocessor takes.
put engine/dom/Node.cpp <<'SRC'
#include "engine/dom/Node.h"

#include "app/CMainFrame.h"
SRC
put platform/Files.h <<'SRC'
#pragma once
#  include <engine/dom/Document.h>
SRC
put res/Strings.h <<'SRC'
#include "util/TextHelpers.h"
SRC
put util/Paths.cpp <<'SRC'
#include "util/Paths.h"
	#include "controls/CVornaEdit.h"
#include "web/CWebDoc.h"
SRC
put controls/Button.cpp <<'SRC'
#include "controls/Button.h"
#include "../skins/VornaSkinManager.h"
#include "skins/../dialogs/CPropertyDlg.h"
SRC
# Includes that point down or stay in their layer, and text that only looks like one.
put controls/Button.h <<'SRC'
#pragma once
#include "Local.h"
#include "util/AppContext.h"
#include "res/resource.h"
#include "engine/dom/Element.h"
#include "platform/ColorRef.h"
#include <QWidget>
// #include "app/CMainFrame.h"
const char* kHelp = "#include \"app/CMainFrame.h\"";
SRC
put controls/Local.h <<'SRC'
#pragma once
SRC
put util/AppContext.h <<'SRC'
#include "../res/resource.h"
SRC
put app/CMainFrame.cpp <<'SRC'
#include "controls/Button.h"
#include "skins/VornaSkinManager.h"
SRC

expected='controls/Button.cpp:2: includes "../skins/VornaSkinManager.h": controls/ must not include skins/, which lies above it
controls/Button.cpp:3: includes "skins/../dialogs/CPropertyDlg.h": controls/ must not include dialogs/, which lies above it
engine/dom/Node.cpp:3: includes "app/CMainFrame.h": engine/ must not include app/, which lies above it
platform/Files.h:2: includes "engine/dom/Document.h": platform/ must not include engine/, which lies above it
res/Strings.h:1: includes "util/TextHelpers.h": res/ must not include util/, which lies above it
util/Paths.cpp:2: includes "controls/CVornaEdit.h": util/ must not include controls/, which lies above it
util/Paths.cpp:3: includes "web/CWebDoc.h": util/ must not include web/, which lies above it'

fail=0
if actual=$("$check" "$tree" 2>/dev/null); then
    echo "FAIL: a tree with upward includes passed"
    fail=1
fi
actual=$(printf '%s\n' "$actual" | sort)
if [ "$actual" != "$expected" ]; then
    echo "FAIL: reported"
    printf '%s\n' "$actual"
    echo "expected"
    printf '%s\n' "$expected"
    fail=1
fi

# Mended, the same tree passes.
rm "$tree/engine/dom/Node.cpp" "$tree/platform/Files.h" "$tree/res/Strings.h" "$tree/util/Paths.cpp" \
    "$tree/controls/Button.cpp"
if ! out=$("$check" "$tree" 2>&1) || [ -n "$out" ]; then
    echo "FAIL: a tree with downward includes only was reported: $out"
    fail=1
fi

# And so does this repository.
if ! out=$("$check" "$repo" 2>&1); then
    echo "FAIL: the repository has upward includes:"
    printf '%s\n' "$out"
    fail=1
fi
[ $fail -eq 0 ] && echo "check-layers: all cases as expected"
exit $fail
