#include "log/SupportLog.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

TSupportLog* current = nullptr;

const QString kLoginTokenName = QStringLiteral("hash");

}  // namespace

TSupportLog::TSupportLog(const QString& path, const QString& firstLine, qint64 rotateBytes)
    : file_(path), rotateBytes_(rotateBytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        qCWarning(lcWizard).noquote() << "Cannot write the support log" << path << ":" << file_.errorString();
    current = this;
    Append("norvo", firstLine);
}

TSupportLog::~TSupportLog()
{
    if (current == this)
        current = nullptr;
}

QString TSupportLog::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/norvo-firmware-upgrade.log");
}

TSupportLog* TSupportLog::Current() { return current; }

void TSupportLog::Append(const char* category, const QString& text)
{
    if (!file_.isOpen())
        return;
    QString line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') +
                   QLatin1String(category) + QLatin1Char(' ') + text;
    // One step, one line: texts from the router or the system may carry line breaks.
    line.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = line.toUtf8() + '\n';
    if (file_.size() > 0 && file_.size() + bytes.size() > rotateBytes_)
        Rotate();
    file_.write(bytes);
    file_.flush();  // a run that ends abruptly still leaves its lines
}

void TSupportLog::Rotate()
{
    const QString path = file_.fileName();
    const QString previous = path + QStringLiteral(".1");
    file_.close();
    QFile::remove(previous);
    QFile::rename(path, previous);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        qCWarning(lcWizard).noquote() << "Cannot write the support log" << path << ":" << file_.errorString();
}

void SupportLogLine(const QLoggingCategory& category, const QString& text)
{
    if (current)
        current->Append(category.categoryName(), text);
    if (category.isInfoEnabled())
        QMessageLogger(nullptr, 0, nullptr, category.categoryName()).info().noquote() << text;
}

QString RedactedUrl(const std::string& url)
{
    // The token is the salt followed by the digest, and the router chooses
    // the salt: it may hold "&", "#", "=" or anything else, and the address
    // may hold a "?". So nothing after the first "hash=" is trusted to end
    // the token; all of it goes.
    const QString text = QString::fromLatin1(url.data(), static_cast<qsizetype>(url.size()));
    const qsizetype token = text.indexOf(kLoginTokenName + QLatin1Char('='), 0, Qt::CaseInsensitive);
    if (token < 0)
        return text;
    return text.left(token + kLoginTokenName.size() + 1) + QStringLiteral("<redacted>");
}
