#!/usr/bin/env bash
# Broken routers, timed with the real waits: the real wizard (driven like a
# user) against router-sim --misbehave on loopback, all chosen cases side by
# side (they wait, they hardly compute). Prints, per router, the time from
# Next to the final screen, where the run ended, and the wizard's peak RSS;
# for the router that hangs after its restart also how long the restart wait
# took, and for the router that answers its firmware upload late how long the
# wizard waited for that answer.
# A build without a real image sends its placeholder firmware image: to the
# simulated routers only.
#   hostile_routers.sh AUTOPILOT ROUTER_SIM [KIND...]
# KINDs (default: all, or those listed in NORVO_HOSTILE_CASES):
#   silent              accepts, never answers
#   drip                the root page, 1 byte per second, without end
#   hang-after-restart  back after the first restart request, then never answers
#   endless             an endless root page at full speed
#   slow-settings       the settings download, 1 byte every 5 s, without end
#   late-upload-answer  answers the firmware upload 20 s after its last byte:
#                       a router writing its flash, scaled down from the
#                       minutes a real one may take (the wizard allows 10)
# The program keeps its settings backup and firmware file beside itself when
# only its user may write that folder, else in the user's data folder: each
# run gets a copy of the autopilot in a folder of its own and data folders of
# its own, so the runs' files stay apart and out of the user's folders.
set -euo pipefail
autopilot="$1" sim="$2"
shift 2
all=(silent drip hang-after-restart endless slow-settings late-upload-answer)
if [ $# -gt 0 ]; then
  cases=("$@")
elif [ -n "${NORVO_HOSTILE_CASES:-}" ]; then
  read -r -a cases <<<"$NORVO_HOSTILE_CASES"
else
  cases=("${all[@]}")
fi
declare -A titles=(
  [silent]="Silent (accepts, never answers)"
  [drip]="Drips the root page, 1 byte/s"
  [hang-after-restart]="Hangs after the restart"
  [endless]="Endless root page, full speed"
  [slow-settings]="Drips the settings, 1 byte/5 s"
  [late-upload-answer]="Answers the upload 20 s late"
)
for kind in "${cases[@]}"; do
  [ -n "${titles[$kind]:-}" ] || { echo "unknown case \"$kind\"; known: ${all[*]}" >&2; exit 2; }
done

work="$(mktemp -d)"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

run_case() {
  local kind="$1" dir="$work/$1"
  mkdir -p "$dir/config" "$dir/data" "$dir/program"
  cp "$autopilot" "$dir/program/"
  "$sim" --listen 127.0.0.1 --port 0 --password bench --firmware 3.5 --misbehave "$kind" >"$dir/router.log" 2>&1 &
  local sim_pid=$! port=""
  for _ in $(seq 50); do
    port=$(sed -n 's|.*listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$dir/router.log")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "router-sim did not start" >"$dir/wizard.out"; kill "$sim_pid"; return; }
  XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" QT_QPA_PLATFORM=offscreen \
    /usr/bin/time -f "%M" -o "$dir/rss" \
    "$dir/program/$(basename "$autopilot")" --password bench --wait-divisor 1 --trace --gateway 127.0.0.1 --port "$port" --allow-placeholder-firmware \
    >"$dir/wizard.out" 2>"$dir/wizard.err" || true
  kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true
}

# seconds_between FILE FROM_STATUS: seconds from the first trace line whose
# status starts with FROM_STATUS to the trace line after it.
seconds_between() {
  awk -v from="$2" '
    /^trace: / { t = $2; sub(/^[^|]*\| /, ""); if (start != "") { print t - start; exit } if (index($0, from) == 1) start = t }
  ' "$1"
}

echo "Sending this build's firmware image to simulated routers only (--allow-placeholder-firmware)."
echo "Cases: ${cases[*]} (with hang-after-restart about 12 minutes, else about 3)."
for kind in "${cases[@]}"; do
  run_case "$kind" &
  pids+=($!)
done
wait "${pids[@]}"
pids=()

printf '\nBroken routers on loopback, real waits (placeholder image; simulated routers only):\n'
printf '%-34s %10s %12s  %s\n' "router" "Next->end" "peak RSS" "where it ended"
for kind in "${cases[@]}"; do
  dir="$work/$kind"
  secs=$(sed -n 's/^seconds from Next to the final screen: //p' "$dir/wizard.out")
  page=$(sed -n 's/^page: //p' "$dir/wizard.out")
  ended=$(sed -n 's/^\(prompt\|outcome\): //p' "$dir/wizard.out" | cut -c1-60)
  # An error box's text may run over several lines, up to the next "name: value" line.
  error=$(awk '/^[a-z][a-z -]*: / { on = 0 } /^error: / { on = 1; sub(/^error: /, "") } on' "$dir/wizard.out" |
    tr -d '\r' | tr '\n' ' ')
  kib=$(cat "$dir/rss" 2>/dev/null || echo 0)
  printf '%-34s %8s s %8.1f MiB  %s: %s\n' "${titles[$kind]}" "${secs:-?}" "$(echo "$kib / 1024" | bc -l)" "${page:-?}" "$ended"
  if [ -n "$error" ]; then printf '%-34s %s\n' "  error shown" "$error"; fi
  case "$kind" in
  slow-settings)
    printf '%-34s %s\n' "  settings backup" "$(sed -n 's/^settings file: .* \(kept\|absent\)$/\1/p' "$dir/wizard.out")"
    ;;
  hang-after-restart)
    start=$(sed -n 's/^trace: \([0-9.]*\) s tsStatus | Restarting Router\.\.\.$/\1/p' "$dir/wizard.out" | head -1)
    end=$(sed -n 's/^trace: \([0-9.]*\) s .* | The router has finished restarting\.\.\.$/\1/p' "$dir/wizard.out" | head -1)
    if [ -n "$start" ] && [ -n "$end" ]; then
      printf '%-34s %8.1f s  (first "Restarting Router..." to "The router has finished restarting...")\n' \
        "  restart wait" "$(echo "$end - $start" | bc -l)"
    fi
    ;;
  late-upload-answer)
    wait=$(seconds_between "$dir/wizard.out" "Please wait while the router writes the new firmware")
    if [ -n "$wait" ]; then
      printf '%-34s %8.1f s  (how long "Please wait while the router writes the new firmware..." showed)\n' \
        "  firmware answer wait" "$wait"
    fi
    ;;
  esac
done
