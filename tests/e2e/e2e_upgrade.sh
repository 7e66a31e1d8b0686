#!/usr/bin/env bash
# End-to-end: the real wizard in a "PC" network namespace upgrades router-sim
# in a "router" namespace that is the PC's default gateway. Real routing
# table, real TCP and HTTP, a router that restarts.
#
#   e2e_upgrade.sh AUTOPILOT ROUTER_SIM CASE
#     CASE: success | wrong-password | restore-ignored (the router answers the
#           settings restore with success but keeps its factory settings)
#
# The wizard sends the build's placeholder firmware image: to the simulated
# router only (--allow-placeholder-firmware).
set -uo pipefail
autopilot="$1" sim="$2" case="$3"
source "$(dirname "$0")/e2e_common.sh"

fail() { echo "FAIL: $*"; echo "--- wizard"; cat "$work/wizard.out"; echo "--- router"; cat "$work/router.log"; exit 1; }

e2e_start nfe
# Restart pauses divided by 50: 60 s become 1.2 s, longer than the router's 2 s downtime overall.
# The user's folders are the test's own; a backup left beside the program by
# an earlier run would make this one's result unclear.
mkdir -p "$work/config" "$work/data"
backup="$(dirname "$autopilot")/SaveRouterSettings.gws"
rm -f "$backup"
echo "Sending this build's placeholder firmware image to a simulated router (--allow-placeholder-firmware)."
ip netns exec "$NORVO_NS_PC" env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  timeout 120 "$autopilot" --password "$password" --wait-divisor 50 --allow-placeholder-firmware >"$work/wizard.out" 2>&1 \
  || fail "the wizard did not finish"

kill "$sim_pid"; wait "$sim_pid" 2>/dev/null; sim_pid=""
grep -q "^gateway: $NORVO_ROUTER_ADDR\$" "$work/wizard.out" || fail "the wizard did not find the router as its default gateway"

case "$case" in
  success)
    grep -qx "outcome: Congratulations! You have successfully upgraded the firmware on your router." "$work/wizard.out" \
      || fail "no success outcome"
    grep -qx "cancel: &Close" "$work/wizard.out" || fail "Cancel does not read &Close"
    grep -q "final state: firmware 3.6, settings original, restarts 2, firmware uploads 1, settings uploads 1" "$work/router.log" \
      || fail "the router did not end on firmware 3.6 with its settings restored"
    grep -qx "settings file: $backup absent" "$work/wizard.out" || fail "the settings backup was left after a verified upgrade"
    ;;
  restore-ignored)
    grep -qx "outcome: There was an error with the upgrade process. You may close this installer and try running it again or use the web interface of your router to perform the upgrade." "$work/wizard.out" \
      || fail "no error outcome"
    grep -qx "settings file: $backup kept" "$work/wizard.out" || fail "the settings backup is gone"
    grep -qx "restore offer: shown" "$work/wizard.out" || fail "no offer to restore the backup"
    grep -q "final state: firmware 3.6, settings changed, restarts 2, firmware uploads 1, settings uploads 1" "$work/router.log" \
      || fail "the router did not end upgraded with factory settings"
    rm -f "$backup"
    ;;
  wrong-password)
    grep -qx "page: tsUpgradeType" "$work/wizard.out" || fail "not back on the Upgrade Type page"
    grep -qx "prompt: Cannot log in to the router. Please check the wiring, retype the password if needed, then click the Next button." "$work/wizard.out" \
      || fail "no login-failed prompt"
    grep -q "final state: firmware 3.5, settings original, restarts 0, firmware uploads 0, settings uploads 0" "$work/router.log" \
      || fail "the router was changed after a failed login"
    grep -q "getconfig" "$work/router.log" && fail "settings were requested after a failed login"
    ;;
esac
echo "PASS: $case"
cat "$work/wizard.out"
