#!/usr/bin/env bash
# One whole express upgrade, timed: the real wizard (driven like a user)
# against router-sim, restart pauses injected to zero and a router that is
# back at once. As root the two run in two network namespaces joined by a
# veth pair (the router is the PC's default gateway, as in the end-to-end
# tests); otherwise on loopback. Over several runs it prints the medians of:
#  - wall time and peak RSS of the wizard's process;
#  - the time from the start of main() to the window's first paint, and the
#    longest gap between two ticks of a 10 ms timer over the run (the worst
#    run too);
#  - the firmware POST's body as router-sim received it (first to last body
#    byte), next to `curl -F upfile=@FILE` of an image of the same size to the
#    same router-sim in each run (curl's "Expect: 100-continue" is switched
#    off; it only adds a wait before the body).
# The wizard sends the build's placeholder firmware image: to the simulated
# router only.
# With CLI_AUTOPILOT it then times the command line's express run the same
# way (wall time and peak RSS, a fresh router-sim each run), for the two
# front ends side by side.
#   express_upgrade.sh AUTOPILOT ROUTER_SIM [RUNS] [CLI_AUTOPILOT]
set -euo pipefail
autopilot="$1" sim="$2" runs="${3:-9}" cli_autopilot="${4:-}"
source "$(dirname "$0")/../scripts/lib/netns.sh"
work="$(mktemp -d)"
sim_pid=""
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; norvo_netns_down; rm -rf "$work"' EXIT

mkdir -p "$work/config" "$work/data"
echo "Sending this build's placeholder firmware image to a simulated router (--allow-placeholder-firmware)."
if norvo_can_make_netns; then
  norvo_netns_up "nbx$$"
  where="across two network namespaces (veth)"
  in_router=(ip netns exec "$NORVO_NS_ROUTER") in_pc=(ip netns exec "$NORVO_NS_PC")
  address="$NORVO_ROUTER_ADDR" listen_port=80 gateway=()
else
  where="on loopback"
  in_router=(env) in_pc=(env)
  address=127.0.0.1 listen_port=0 gateway=(--gateway 127.0.0.1)
fi
printf 'bench\n' >"$work/password" && chmod 600 "$work/password"
head -c 1441792 /dev/urandom >"$work/image.bin"

# body_ms LOG STATUS: the body time of the last /upload.cgi POST answered STATUS.
body_ms() { sed -n "s|.*POST /upload.cgi -> $2 .*\[body [0-9]* bytes in \([0-9.]*\) ms.*|\1|p" "$1" | tail -n 1; }

# curl's upload (without a login the router answers 403, but only after the
# whole body is in), and the wizard's whole run.
upload() { "${in_pc[@]}" curl -sS -o /dev/null -H 'Expect:' -F "upfile=@$work/image.bin" "http://$address:$port/upload.cgi"; }
wizard() {
  "${in_pc[@]}" env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    /usr/bin/time -f "%e %M" -o "$work/time" "$autopilot" --password bench --wait-divisor 0 "${gateway[@]}" \
    --port "$port" --allow-placeholder-firmware >"$work/wizard.out" 2>"$work/wizard.err"
}

start_router() {
  : >"$work/router.log"  # there before router-sim writes to it
  "${in_router[@]}" "$sim" --listen "$address" --port "$listen_port" --password bench --firmware 3.5 \
    --reboot-downtime 0 >"$work/router.log" 2>&1 &
  sim_pid=$!
  port=""
  for _ in $(seq 50); do
    port=$(sed -n "s|.*listening on http://$address:\([0-9]*\)/.*|\1|p" "$work/router.log")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "router-sim did not start"; exit 1; }
}

walls=() rss=() paints=() stalls=() ours=() theirs=()
for run in $(seq "$runs"); do
  start_router
  # Two uploads before the measured ones warm router-sim up (its memory, its
  # code); then the wizard's run and curl's upload take turns at going first,
  # since whichever comes later tends to be received a little faster.
  # (the first also waits for a freshly made veth link to carry traffic)
  for _ in $(seq 50); do upload 2>/dev/null && break; sleep 0.1; done
  upload
  if [ $((run % 2)) = 1 ]; then wizard; upload; else upload; wizard; fi
  kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; sim_pid=""
  grep -q "successfully upgraded" "$work/wizard.out" || { echo "run $run did not succeed:"; cat "$work/wizard.out"; exit 1; }
  read -r wall kib <"$work/time"
  walls+=("$wall") rss+=("$kib")
  paints+=("$(sed -n 's/^first-paint-ms: //p' "$work/wizard.out")")
  stalls+=("$(sed -n 's/^longest-stall-ms: //p' "$work/wizard.out")")
  ours+=("$(body_ms "$work/router.log" 200)") theirs+=("$(body_ms "$work/router.log" 403)")
done

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
highest() { printf '%s\n' "$@" | sort -g | tail -n 1; }
lowest() { printf '%s\n' "$@" | sort -g | head -n 1; }
printf '\nExpress upgrade against router-sim %s (1,441,792-byte image, waits zero), median of %d runs:\n' "$where" "$runs"
printf '  wall time %.2f s, peak RSS %.1f MiB\n' "$(median "${walls[@]}")" "$(echo "$(median "${rss[@]}") / 1024" | bc -l)"
printf '  first paint %s ms; longest stall of a 10 ms timer %s ms (worst run %s ms)\n' \
  "$(median "${paints[@]}")" "$(median "${stalls[@]}")" "$(highest "${stalls[@]}")"
printf '  firmware POST body at the router, first to last byte: ours %s ms, curl -F %s ms (best: ours %s ms, curl %s ms)\n' \
  "$(median "${ours[@]}")" "$(median "${theirs[@]}")" "$(lowest "${ours[@]}")" "$(lowest "${theirs[@]}")"

[ -n "$cli_autopilot" ] || exit 0
# The command line: the router found as the default gateway across the
# namespaces, named with --router on loopback.
cli_walls=() cli_rss=()
for run in $(seq "$runs"); do
  start_router
  router=()
  [ "$address" = 127.0.0.1 ] && router=(--router "127.0.0.1:$port")
  "${in_pc[@]}" env XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" \
    /usr/bin/time -f "%e %M" -o "$work/time" "$cli_autopilot" --wait-divisor 0 --express "${router[@]}" \
    --password-file "$work/password" --allow-placeholder-firmware >"$work/cli.out" 2>"$work/cli.err" || true
  kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; sim_pid=""
  grep -q "successfully upgraded" "$work/cli.out" || { echo "command-line run $run did not succeed:"; cat "$work/cli.out" "$work/cli.err"; exit 1; }
  read -r wall kib <"$work/time"
  cli_walls+=("$wall") cli_rss+=("$kib")
done
printf '\nThe same express upgrade from the command line (--express, no window), median of %d runs:\n' "$runs"
printf '  wall time %.2f s, peak RSS %.1f MiB (the window: %.2f s, %.1f MiB)\n' \
  "$(median "${cli_walls[@]}")" "$(echo "$(median "${cli_rss[@]}") / 1024" | bc -l)" \
  "$(median "${walls[@]}")" "$(echo "$(median "${rss[@]}") / 1024" | bc -l)"
