#!/usr/bin/env bash
# Retakes the README's screenshots (docs/*.png) of the workbench in a real
# X server (Xvfb): the empty window, the member dialog, the code preview and
# the window after a run. Needs a build with the tests (tools/run-tests.sh,
# or cmake -S . -B build && cmake --build build --target ui_screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake --build "$build" --target ui_screenshots > /dev/null
out="$PWD/docs"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
LANG=zh_CN.UTF-8 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$OLDPWD/$build/bin/ui_screenshots" "$out"
ls -l "$out"/*.png
# The generated application's pages, taken by the browser suite on the real
# frameworks (needs what tools/run-tests.sh installs).
cd "$OLDPWD"
WEBAPP_SCREENSHOTS="$out" bash tests/acceptance/webapp.sh "$build/bin/javagen-cli" template > /dev/null
ls -l "$out"/webapp-*.png
