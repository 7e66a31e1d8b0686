// The exit status of a command-line run, for the scripts of technicians who
// upgrade many routers: each says what happened to the router and what to do.
#pragma once

namespace ExitCode {
inline constexpr int Ok = 0;                // upgraded and verified, already current, or the version read
inline constexpr int CannotRun = 1;         // the program cannot run (no password, a file that cannot be read)
inline constexpr int Usage = 2;             // an unknown option or argument
inline constexpr int LoginFailed = 3;       // cannot log in; nothing on the router changed
inline constexpr int FailedBackupKept = 4;  // the run failed after the settings were saved; backup kept
inline constexpr int UpgradedUnproven = 5;  // upgraded, settings not confirmed (no password); backup kept
inline constexpr int FirmwareProblem = 6;   // the firmware image is missing, damaged or refused
inline constexpr int NoRouter = 7;          // no router address: no default gateway and no --router
inline constexpr int RunInProgress = 8;     // another run of the program is changing a router
inline constexpr int BackupPending = 9;     // a backup of this router is pending; --new-backup overrides
}  // namespace ExitCode
