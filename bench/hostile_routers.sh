#!/usr/bin/env bash
# Broken routers, timed with the real waits: the real wizard (driven like a
# user) against router-sim --misbehave on loopback, all cases side by side
# (they wait, they hardly compute). Prints, per router, the time from Next
# to the final screen, where the run ended, and the wizard's peak RSS; for
# the router that hangs after its restart also how long the restart wait took.
# A build without a real image sends its placeholder firmware image: to the
# simulated routers only.
#   hostile_routers.sh AUTOPILOT ROUTER_SIM
set -euo pipefail
autopilot="$1" sim="$2"
work="$(mktemp -d)"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

cases=(silent drip hang-after-restart endless)
titles=("Silent (accepts, never answers)" "Drips the root page, 1 byte/s" "Hangs after the restart" "Endless root page, full speed")

run_case() {
  local kind="$1" dir="$work/$1"
  mkdir -p "$dir"
  "$sim" --listen 127.0.0.1 --port 0 --password bench --firmware 3.5 --misbehave "$kind" >"$dir/router.log" 2>&1 &
  local sim_pid=$! port=""
  for _ in $(seq 50); do
    port=$(sed -n 's|.*listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$dir/router.log")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "router-sim did not start" >"$dir/wizard.out"; kill "$sim_pid"; return; }
  QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%M" -o "$dir/rss" \
    "$autopilot" --password bench --wait-divisor 1 --trace --gateway 127.0.0.1 --port "$port" --allow-placeholder-firmware \
    >"$dir/wizard.out" 2>"$dir/wizard.err" || true
  kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true
}

echo "Sending this build's firmware image to simulated routers only (--allow-placeholder-firmware); about 12 minutes."
for kind in "${cases[@]}"; do
  run_case "$kind" &
  pids+=($!)
done
wait "${pids[@]}"
pids=()

printf '\nBroken routers on loopback, real waits (placeholder image; simulated routers only):\n'
printf '%-34s %10s %12s  %s\n' "router" "Next->end" "peak RSS" "where it ended"
for i in "${!cases[@]}"; do
  dir="$work/${cases[$i]}"
  secs=$(sed -n 's/^seconds from Next to the final screen: //p' "$dir/wizard.out")
  page=$(sed -n 's/^page: //p' "$dir/wizard.out")
  ended=$(sed -n 's/^\(prompt\|outcome\): //p' "$dir/wizard.out" | cut -c1-60)
  kib=$(cat "$dir/rss" 2>/dev/null || echo 0)
  printf '%-34s %8s s %8.1f MiB  %s: %s\n' "${titles[$i]}" "${secs:-?}" "$(echo "$kib / 1024" | bc -l)" "${page:-?}" "$ended"
  if [ "${cases[$i]}" = hang-after-restart ]; then
    start=$(sed -n 's/^trace: \([0-9.]*\) s tsStatus | Restarting Router\.\.\.$/\1/p' "$dir/wizard.out" | head -1)
    end=$(sed -n 's/^trace: \([0-9.]*\) s .* | The router has finished restarting\.\.\.$/\1/p' "$dir/wizard.out" | head -1)
    [ -n "$start" ] && [ -n "$end" ] &&
      printf '%-34s %8.1f s  (first "Restarting Router..." to "The router has finished restarting...")\n' \
        "  restart wait" "$(echo "$end - $start" | bc -l)"
  fi
done
