#include "wizard/SafeFile.h"

#include "http/IdException.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

std::string Quoted(const QString& fileName)
{
    return "\"" + QFile::encodeName(fileName).toStdString() + "\"";
}

}  // namespace

void SaveFileAtomically(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError("Cannot create file " + Quoted(fileName) + ". " + file.errorString().toStdString());
    if (file.write(bytes) != bytes.size()) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        throw EStreamError("Cannot write file " + Quoted(fileName) + ". " + reason);
    }
    if (!file.commit())
        throw EStreamError("Cannot write file " + Quoted(fileName) + ". " + file.errorString().toStdString());
}

TPrivateFile::TPrivateFile(const QString& target) : target_(target), temp_(target + QStringLiteral(".XXXXXX"))
{
    if (!temp_.open() || !temp_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw EFOpenError("Cannot create file " + Quoted(target_) + ". " + temp_.errorString().toStdString());
}

void TPrivateFile::Commit()
{
    if (!temp_.flush() || ::fsync(temp_.handle()) != 0)
        throw EStreamError("Cannot write file " + Quoted(target_) + ". " + temp_.errorString().toStdString());
    // rename() replaces a link of the target's name itself, not what it points to.
    if (std::rename(QFile::encodeName(temp_.fileName()).constData(), QFile::encodeName(target_).constData()) != 0)
        throw EStreamError("Cannot write file " + Quoted(target_) + ". " + std::strerror(errno));
    temp_.setAutoRemove(false);
    temp_.close();
}

void WritePrivateFile(const QString& target, const QByteArray& bytes)
{
    TPrivateFile file(target);
    if (file.Device().write(bytes) != bytes.size())
        throw EStreamError("Stream write error");
    file.Commit();
}
