// The command line's options as the request of a run without the window.
#pragma once

#include "app/CommandLine.h"
#include "cli/CommandLineRun.h"

inline TCliRequest CliRequest(const TCommandLineOptions& options)
{
    TCliRequest request;
    request.Mode = options.Mode == TRunMode::Check     ? TCliRequest::TMode::Check
                   : options.Mode == TRunMode::Restore ? TCliRequest::TMode::Restore
                                                       : TCliRequest::TMode::Express;
    request.RestoreFile = options.RestoreFile;
    request.Router = options.Router;
    request.PasswordFile = options.PasswordFile;
    request.Quiet = options.Quiet;
    request.NewBackup = options.NewBackup;
    return request;
}
