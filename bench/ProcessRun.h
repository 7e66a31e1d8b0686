// Runs a command as a child process and measures it: wall time from start
// to exit and the child's peak resident memory.
#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1;
    double seconds = 0;
    long peakRssKiB = 0;
};

ProcessResult RunMeasured(const std::vector<std::string>& command);
