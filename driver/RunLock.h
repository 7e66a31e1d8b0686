// Keeps two runs on one PC, the window's or the command line's, from
// changing routers at the same time: a run that may change a router holds
// this lock from its start until it ends.
#pragma once

#include <QLockFile>
#include <QString>

class TRunLock {
public:
    explicit TRunLock(QString path = DefaultPath());
    TRunLock(const TRunLock&) = delete;
    TRunLock& operator=(const TRunLock&) = delete;
    // Releases the lock when held.
    ~TRunLock();

    // Takes the lock without waiting. False: another run holds it. A lock
    // left by a process that has ended is taken over. When the lock file
    // cannot be made at all (its folder is not writable), the run goes on
    // unguarded rather than never: true, and Held() says false.
    bool TryLock();
    bool Held() const { return FHeld; }
    const QString& Path() const { return FPath; }

    // The lock file in the user's runtime folder.
    static QString DefaultPath();

private:
    QString FPath;
    QLockFile FLock;
    bool FHeld = false;
};
