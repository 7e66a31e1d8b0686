// Writing whole files so that the target is either replaced completely or
// left as it was: the bytes go to a temporary file beside the target, which
// is renamed over it only when everything was written.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

// Throws EFOpenError when the file cannot be created and EStreamError when
// writing or the final rename fails; no partial file is left behind.
void SaveFileAtomically(const QString& fileName, const QByteArray& bytes);

// A file that only its user may read, for what holds the router's passwords.
// It is written under a new temporary name (created afresh, so never through
// an existing link) and Commit renames it over the target: an existing file
// or symbolic link of that name is replaced, never written through.
// Without Commit the temporary file is removed again.
class TPrivateFile {
public:
    // Throws EFOpenError when the temporary file cannot be created.
    explicit TPrivateFile(const QString& target);
    QIODevice& Device() { return temp_; }
    // Throws EStreamError when the bytes cannot be written out or renamed.
    void Commit();

private:
    QString target_;
    QTemporaryFile temp_;
};

// The whole of bytes as a private file (see TPrivateFile).
void WritePrivateFile(const QString& target, const QByteArray& bytes);
