# Two network namespaces joined by a veth pair, standing in for a PC wired to
# a router's LAN port:
#   PC      192.168.0.100/24, default route via 192.168.0.1
#   router  192.168.0.1/24
# Nothing in either namespace can reach any other network: traffic between
# them never leaves this machine. Needs root.

NORVO_PC_ADDR=192.168.0.100
NORVO_ROUTER_ADDR=192.168.0.1

# norvo_netns_up TAG: sets NORVO_NS_PC and NORVO_NS_ROUTER.
norvo_netns_up() {
  local tag="$1"
  NORVO_NS_PC="${tag}-pc"
  NORVO_NS_ROUTER="${tag}-rt"
  local veth_pc="${tag}p" veth_rt="${tag}r"
  ip netns add "$NORVO_NS_PC"
  ip netns add "$NORVO_NS_ROUTER"
  ip link add "$veth_pc" type veth peer name "$veth_rt"
  ip link set "$veth_pc" netns "$NORVO_NS_PC"
  ip link set "$veth_rt" netns "$NORVO_NS_ROUTER"
  ip -n "$NORVO_NS_PC" link set lo up
  ip -n "$NORVO_NS_ROUTER" link set lo up
  ip -n "$NORVO_NS_PC" addr add "$NORVO_PC_ADDR/24" dev "$veth_pc"
  ip -n "$NORVO_NS_ROUTER" addr add "$NORVO_ROUTER_ADDR/24" dev "$veth_rt"
  ip -n "$NORVO_NS_PC" link set "$veth_pc" up
  ip -n "$NORVO_NS_ROUTER" link set "$veth_rt" up
  ip -n "$NORVO_NS_PC" route add default via "$NORVO_ROUTER_ADDR"
}

# norvo_netns_down: removes both namespaces (the veth pair goes with them).
norvo_netns_down() {
  [ -n "${NORVO_NS_PC:-}" ] && ip netns del "$NORVO_NS_PC" 2>/dev/null
  [ -n "${NORVO_NS_ROUTER:-}" ] && ip netns del "$NORVO_NS_ROUTER" 2>/dev/null
  return 0
}

# norvo_can_make_netns: true when this process may create namespaces.
norvo_can_make_netns() {
  [ "$(id -u)" -eq 0 ] || return 1
  command -v ip >/dev/null || return 1
  local probe="nfuprobe$$"
  ip netns add "$probe" 2>/dev/null || return 1
  ip netns del "$probe"
}
