#pragma once
// Command line of the router-sim program.

#include "tools/router-sim/lib/RouterSim.h"

#include <string>

namespace routersim {

struct Options {
    testsupport::RouterSimConfig config;
    bool help = false;
    std::string error;  // non-empty: the command line is wrong
};

Options ParseOptions(int argc, char** argv);
std::string HelpText();

}  // namespace routersim
