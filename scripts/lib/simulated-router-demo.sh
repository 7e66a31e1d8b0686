#!/usr/bin/env bash
# The demo behind `scripts/run --simulated-router`: a simulated WRX-270 runs
# in a "router" network namespace at 192.168.0.1, and the real wizard runs in
# a "PC" namespace whose default gateway is that router, so the wizard finds
# it by itself. Everything is removed again on exit, also on Ctrl-C.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/netns.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "scripts/run --simulated-router needs root: it creates two network namespaces." >&2
  echo "Run it again with sudo:  sudo scripts/run --simulated-router" >&2
  exit 1
fi

norvo_install_deps
dir="$NORVO_ROOT/build/run"
norvo_build "$dir" -DNORVO_BUILD_TESTS=OFF
wizard="$dir/app/norvo-firmware-upgrade"
sim="$dir/tools/router-sim/router-sim"

password="${NORVO_DEMO_PASSWORD:-norvo-demo}"
shots="/tmp/norvo-demo-screenshots"
sim_log="/tmp/norvo-demo-router.log"
sim_pid="" xvfb_pid="" shooter_pid="" clicker_pid="" autopilot=0

cleanup() {
  trap - EXIT INT TERM
  for pid in $clicker_pid $shooter_pid $sim_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  norvo_netns_down
}
trap cleanup EXIT
trap 'exit 130' INT TERM

norvo_netns_up "nfu$$"

ip netns exec "$NORVO_NS_ROUTER" "$sim" --listen "$NORVO_ROUTER_ADDR" --port 80 \
  --password "$password" --firmware 3.5 --reboot-downtime 20 >"$sim_log" 2>&1 &
sim_pid=$!

# The wizard needs no root: run it as the user who called sudo, if any.
as_user=()
if [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  as_user=(runuser -u "$SUDO_USER" --)
fi

display="${DISPLAY:-}"
if [ -z "$display" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop: a virtual screen, photographed every few seconds. Xvfb
  # claims a free display number itself and writes it to descriptor 3, so
  # the wizard never draws on another X server's screen.
  display_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  number="$(head -n 1 "$display_file")"
  rm -f "$display_file"
  if [ -z "$number" ]; then
    echo "The virtual screen (Xvfb) did not start." >&2
    exit 1
  fi
  display=":$number"
  mkdir -p "$shots"
  (
    n=0
    while sleep 3; do
      n=$((n + 1))
      DISPLAY="$display" import -window root "$shots/$(printf '%04d' "$n").png" 2>/dev/null || true
    done
  ) &
  shooter_pid=$!
  echo "No display found: the wizard runs on a virtual screen and is clicked through"
  echo "by xdotool (box, password, Next); screenshots every 3 s go to $shots/"
  autopilot=1
fi

cat <<MSG

  Simulated WRX-270 router: 192.168.0.1 (firmware 3.5), log in $sim_log
  Admin password:           $password

  The wizard runs with --allow-placeholder-firmware: it sends this build's
  placeholder firmware image, which is only ever for a simulated router.

  In the wizard: tick the wired-connection box, type the password, click Next.
  The upgrade takes a few minutes: the router restarts twice.
  Close the wizard to end the demo.

MSG

if [ "$autopilot" = 1 ]; then
  # On the virtual screen nobody can click: do what a user would, by mouse
  # and keyboard, at the window's design positions. The wizard closes itself
  # through its Close button once the outcome is shown.
  (
    export DISPLAY="$display"
    for _ in $(seq 100); do
      xdotool search --name "Norvo Firmware Upgrade" >/dev/null 2>&1 && break
      sleep 0.2
    done
    sleep 2
    xdotool mousemove 22 268 click 1      # the wired-connection box
    sleep 1
    xdotool mousemove 300 158 click 1     # the admin password box
    xdotool type --delay 50 "$password"
    sleep 1
    xdotool mousemove 437 386 click 1     # Next: the upgrade runs
    # The run ends with a login after the second restart; then the outcome.
    for _ in $(seq 600); do
      restarts=$(grep -c "restarting" "$sim_log" || true)
      if [ "$restarts" -ge 2 ] && sed -n '/restarting/h; /restarting/!H; ${x;p}' "$sim_log" | grep -q "login accepted"; then
        sleep 5
        import -window root "$shots/outcome.png" 2>/dev/null || true
        echo "The upgrade has ended: see $shots/outcome.png"
        xdotool mousemove 518 386 click 1  # Close
        break
      fi
      sleep 1
    done
  ) &
  clicker_pid=$!
fi

ip netns exec "$NORVO_NS_PC" "${as_user[@]}" env DISPLAY="$display" \
  ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY="$WAYLAND_DISPLAY"} \
  ${XDG_RUNTIME_DIR:+XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR"} "$wizard" --allow-placeholder-firmware || true
echo "Router log: $sim_log"
