// Where a command-line run writes: standard output and standard error by
// default, strings in tests. Whether standard output is a terminal decides
// whether progress figures (with carriage returns) may be shown.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

struct TTerminalOutput {
    // Writes text as it is (no line end added). A write that fails (a closed
    // pipe) is lost and never ends the run.
    std::function<void(const QString& text)> Out;
    std::function<void(const QString& text)> Err;
    bool OutIsTerminal = false;
    // Milliseconds of a steady clock, for the progress figures.
    std::function<std::int64_t()> Clock;
    // The time of day printed at the start of a status line ("HH:MM:SS").
    std::function<QString()> TimeOfDay;
    // A question on the terminal: the password typed without echo, a yes or
    // a no. Empty when nobody can answer (no terminal): then none, and no.
    std::function<std::optional<QString>(const QString& prompt)> AskHidden;
    std::function<bool(const QString& question)> AskYesNo;
};

// Standard output and error of this process, the steady clock, the local
// time, and questions on the controlling terminal when there is one.
TTerminalOutput ProcessTerminalOutput();
