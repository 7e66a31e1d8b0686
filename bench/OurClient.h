// The benchmark's "ours" side: one transfer with the product's HTTP client,
// run in its own process so its peak memory can be measured alone.
#pragma once

// argv: post URL FILE | get URL OUTFILE. Returns the process exit code.
int RunOurClient(int argc, char** argv);
