#include "bench/ProcessRun.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

ProcessResult RunMeasured(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const std::string& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);

    ProcessResult result;
    auto start = std::chrono::steady_clock::now();
    pid_t child = ::fork();
    if (child == 0) {
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    if (child < 0)
        return result;
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakRssKiB = usage.ru_maxrss;
    return result;
}
