// Writing a whole file so that the target is either replaced completely or
// left as it was: the bytes go to a temporary file beside the target, which
// is renamed over it only when everything was written.
#pragma once

#include <QByteArray>
#include <QString>

// Throws EFOpenError when the file cannot be created and EStreamError when
// writing or the final rename fails; no partial file is left behind.
void SaveFileAtomically(const QString& fileName, const QByteArray& bytes);
