#!/usr/bin/env bash
# One whole express upgrade, timed: the real wizard (driven like a user)
# against router-sim on loopback, restart pauses injected to zero and a router
# that is back at once. Prints the median wall time and peak RSS of the
# wizard's process over several runs. The wizard sends the build's
# placeholder firmware image: to the simulated router only.
#   express_upgrade.sh AUTOPILOT ROUTER_SIM [RUNS]
set -euo pipefail
autopilot="$1" sim="$2" runs="${3:-5}"
work="$(mktemp -d)"
sim_pid=""
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$work/config" "$work/data"
echo "Sending this build's placeholder firmware image to a simulated router (--allow-placeholder-firmware)."
walls=() rss=()
for run in $(seq "$runs"); do
  "$sim" --listen 127.0.0.1 --port 0 --password bench --firmware 3.5 --reboot-downtime 0 >"$work/router.log" 2>&1 &
  sim_pid=$!
  port=""
  for _ in $(seq 50); do
    port=$(sed -n 's|.*listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$work/router.log")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "router-sim did not start"; exit 1; }
  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" /usr/bin/time -f "%e %M" -o "$work/time" \
    "$autopilot" --password bench --wait-divisor 0 --gateway 127.0.0.1 --port "$port" --allow-placeholder-firmware \
    >"$work/wizard.out" 2>"$work/wizard.err"
  kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; sim_pid=""
  grep -q "successfully upgraded" "$work/wizard.out" || { echo "run $run did not succeed:"; cat "$work/wizard.out"; exit 1; }
  read -r wall kib <"$work/time"
  walls+=("$wall") rss+=("$kib")
done

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
printf '\nExpress upgrade against router-sim on loopback (1,441,792-byte image, waits zero), median of %d runs:\n' "$runs"
printf '  wall time %.2f s, peak RSS %.1f MiB\n' "$(median "${walls[@]}")" "$(echo "$(median "${rss[@]}") / 1024" | bc -l)"
