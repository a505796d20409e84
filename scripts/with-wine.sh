#!/usr/bin/env bash
# Runs a command inside the build tree's private Wine session:
#   scripts/with-wine.sh <command> [args...]
# - WINEPREFIX is build/wine (made once with wineboot -i); nothing outside
#   build/ is written.
# - One persistent wineserver (-p) serves every Wine process of the command
#   and is stopped afterwards.
# - The display is a private Xvfb (1920x1080x24) unless QUARL_DISPLAY names
#   one to use instead (make run passes the user's $DISPLAY that way).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/build"
export WINEPREFIX="$root/build/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"

xvfb_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap "exit 130" INT TERM

if [ -n "${QUARL_DISPLAY:-}" ]; then
  export DISPLAY="$QUARL_DISPLAY"
else
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >"$root/build/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  export DISPLAY=":$n"
fi

# The persistent server, detached with its output redirected so that this
# shell does not wait on it.
setsid wineserver -p >"$root/build/wineserver.log" 2>&1 < /dev/null &
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix in $WINEPREFIX"
  wineboot -i >"$root/build/wineboot.log" 2>&1
fi
# Wine draws the caption buttons of MDI children with the Marlett symbol
# font. Debian's Wine looks for its own
# fonts (package fonts-wine, /usr/share/wine/fonts) under a path it cannot
# open ("<data dir>\../fonts\"), so it never loads them: without a copy in
# the prefix's Fonts folder the buttons show as the letters "0 1 r".
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f "$fonts/marlett.ttf" ]; then
  for dir in /usr/share/wine/fonts /usr/local/share/wine/fonts /opt/wine-stable/share/wine/fonts; do
    if [ -f "$dir/marlett.ttf" ]; then
      mkdir -p "$fonts"
      cp "$dir/marlett.ttf" "$fonts/marlett.ttf"
      break
    fi
  done
  [ -f "$fonts/marlett.ttf" ] ||
    echo "with-wine.sh: no marlett.ttf (Debian package fonts-wine): caption buttons will show as letters" >&2
fi
# Start the prefix's background services now, with their output going to a
# file: a service started by the first test would keep that test's output
# pipe open and make CTest wait for it.
wine cmd.exe /c exit >"$root/build/wine-services.log" 2>&1 < /dev/null || true

"$@"
