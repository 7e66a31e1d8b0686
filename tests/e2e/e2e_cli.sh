#!/usr/bin/env bash
# End-to-end: the command-line run, with no display, in a "PC" network
# namespace upgrades router-sim in a "router" namespace that is the PC's
# default gateway. Real routing table, real TCP and HTTP, a router that
# restarts; the password comes from a file only its owner may read.
#
#   e2e_cli.sh CLI_AUTOPILOT ROUTER_SIM CASE
#     CASE: success | wrong-password | restore-ignored (the router answers the
#           settings restore with success but keeps its factory settings)
#
# The run sends the build's placeholder firmware image: to the simulated
# router only (--allow-placeholder-firmware).
set -uo pipefail
autopilot="$1" sim="$2" case="$3"
source "$(dirname "$0")/e2e_common.sh"

fail() {
  echo "FAIL: $*"
  echo "--- standard output"; cat "$work/run.out"
  echo "--- standard error"; cat "$work/run.err"
  echo "--- router"; cat "$work/router.log"
  exit 1
}

e2e_start nfc
( umask 077; printf '%s\n' "$password" >"$work/password" )
# The user's folders are the test's own: no record of an earlier run's
# backup, a run lock of this run's own.
mkdir -p "$work/config" "$work/data" "$work/run"
chmod 700 "$work/run"
backup="$(dirname "$autopilot")/SaveRouterSettings.gws"
rm -f "$backup"
echo "Sending this build's placeholder firmware image to a simulated router (--allow-placeholder-firmware)."
# No display at all: the run must not need one.
ip netns exec "$NORVO_NS_PC" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" \
  timeout 120 "$autopilot" --wait-divisor 50 --express --password-file "$work/password" --allow-placeholder-firmware \
  </dev/null >"$work/run.out" 2>"$work/run.err"
status=$?

kill "$sim_pid"; wait "$sim_pid" 2>/dev/null; sim_pid=""
last="$(tail -n 1 "$work/run.out")"
grep -q $'\r' "$work/run.out" && fail "control characters in output that is no terminal"

case "$case" in
  success)
    [ "$status" -eq 0 ] || fail "exit status $status, not 0"
    [ "$last" = "Congratulations! You have successfully upgraded the firmware on your router." ] || fail "no success outcome"
    grep -Eq '^[0-9]{2}:[0-9]{2}:[0-9]{2} Saving Router Settings\.\.\.$' "$work/run.out" || fail "no status line"
    grep -q "final state: firmware 3.6, settings original, restarts 2, firmware uploads 1, settings uploads 1" "$work/router.log" \
      || fail "the router did not end on firmware 3.6 with its settings restored"
    [ -e "$backup" ] && fail "the settings backup was left after a verified upgrade"
    ;;
  restore-ignored)
    [ "$status" -eq 4 ] || fail "exit status $status, not 4"
    [ "$last" = "There was an error with the upgrade process. You may close this installer and try running it again or use the web interface of your router to perform the upgrade." ] \
      || fail "no error outcome"
    grep -qx "Settings backup kept: $backup" "$work/run.out" || fail "the backup's path is not printed"
    [ -e "$backup" ] || fail "the settings backup is gone"
    grep -q "final state: firmware 3.6, settings changed, restarts 2, firmware uploads 1, settings uploads 1" "$work/router.log" \
      || fail "the router did not end upgraded with factory settings"
    rm -f "$backup"
    ;;
  wrong-password)
    [ "$status" -eq 3 ] || fail "exit status $status, not 3"
    [ "$last" = "Cannot log in to the router. Please check the wiring and the password, then run the program again." ] \
      || fail "no login failure outcome"
    grep -q "final state: firmware 3.5, settings original, restarts 0, firmware uploads 0, settings uploads 0" "$work/router.log" \
      || fail "the router was changed after a failed login"
    grep -q "getconfig" "$work/router.log" && fail "settings were requested after a failed login"
    ;;
esac
echo "PASS: $case"
cat "$work/run.out"
