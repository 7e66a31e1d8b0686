#include "wizard/SafeFile.h"

#include "http/IdException.h"

#include <QSaveFile>

void SaveFileAtomically(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError("Cannot create file \"" + fileName.toStdString() + "\". " + file.errorString().toStdString());
    if (file.write(bytes) != bytes.size()) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        throw EStreamError("Cannot write file \"" + fileName.toStdString() + "\". " + reason);
    }
    if (!file.commit())
        throw EStreamError("Cannot write file \"" + fileName.toStdString() + "\". " + file.errorString().toStdString());
}
