# What every end-to-end case needs, sourced by its script once `sim` and
# `case` are set: the skip where no namespaces can be made, a scratch
# folder and the cleanup on every exit, and router-sim started in the
# "router" namespace as the PC's default gateway, with the case's options.
# Sets `work`, `sim_pid` and `password` (the one the case types).
#
#   e2e_start NAMESPACE_PREFIX
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../scripts/lib/netns.sh"

e2e_cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  norvo_netns_down
  rm -rf "$work"
}

e2e_start() {
  if ! norvo_can_make_netns; then
    echo "SKIPPED: creating network namespaces needs root and iproute2"
    exit 77
  fi
  work="$(mktemp -d)"
  sim_pid=""
  trap e2e_cleanup EXIT

  local sim_options=()
  [ "$case" = restore-ignored ] && sim_options+=(--ignore-restore)
  norvo_netns_up "$1$$"
  ip netns exec "$NORVO_NS_ROUTER" "$sim" --listen "$NORVO_ROUTER_ADDR" --port 80 --password "s3cret" \
    --firmware 3.5 --reboot-downtime 2 "${sim_options[@]}" >"$work/router.log" 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do
    grep -q listening "$work/router.log" && break
    sleep 0.1
  done

  password="s3cret"
  [ "$case" = wrong-password ] && password="not-the-password"
  return 0
}
