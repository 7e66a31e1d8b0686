// The benchmark's peer: a plain loopback HTTP server, one connection at a
// time. A POST body is read and thrown away ("OK <bytes>" comes back); a GET
// of /bytes/N answers with N bytes. Interim "100 Continue" is sent to clients
// that ask for it, so curl's uploads do not stall.
#pragma once

#include <cstdint>

// Binds 127.0.0.1 on an ephemeral port; returns the listening socket.
int OpenBenchListener(std::uint16_t& port);
// Serves forever on the listening socket (runs in its own process).
[[noreturn]] void ServeForever(int listener);
