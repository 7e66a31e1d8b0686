#!/bin/sh
# The window as a screen reader sees it: the host program on a private X
# display, with a private session bus and accessibility bus, read through
# the accessibility library. Reports itself skipped (77) when any piece is
# missing or the buses do not start; every wait is bounded.
#   atspi_smoke.sh HOST_PROGRAM CHECK_SCRIPT
host=$1
check=$2
skip() { echo "skipped: $*"; exit 77; }

command -v Xvfb >/dev/null || skip "no Xvfb"
command -v dbus-run-session >/dev/null && command -v dbus-send >/dev/null || skip "no dbus-run-session or dbus-send"
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] && [ -f /usr/share/dbus-1/services/org.a11y.Bus.service ] || skip "no accessibility bus"
python=/usr/bin/python3
"$python" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' 2>/dev/null ||
    skip "no Atspi bindings for $python"

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

cat >"$work/inside.sh" <<'INSIDE'
host=$1; check=$2; python=$3; work=$4
pids=""
stop() { for p in $pids; do kill "$p" 2>/dev/null; done; }
trap stop EXIT
Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>"$work/display" 2>"$work/xvfb.log" &
pids="$pids $!"
i=0
while [ ! -s "$work/display" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
[ -s "$work/display" ] || { echo "skipped: Xvfb did not start"; exit 77; }
export DISPLAY=":$(cat "$work/display")"
# The session bus starts the accessibility bus on the first call; the
# program looks for it once, as it starts.
i=0
until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; do
    i=$((i + 1))
    [ $i -lt 50 ] || { echo "skipped: no accessibility bus"; exit 77; }
    sleep 0.1
done
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$work/run" && chmod 700 "$work/run"
"$host" >"$work/host.log" 2>&1 &
pids="$pids $!"
"$python" "$check" 20
status=$?
[ $status -eq 0 ] || for log in "$work"/*.log; do echo "--- $log"; tail -n 20 "$log"; done
exit $status
INSIDE

timeout 60 dbus-run-session -- sh "$work/inside.sh" "$host" "$check" "$python" "$work"
status=$?
[ $status -eq 124 ] && skip "timed out"
exit $status
