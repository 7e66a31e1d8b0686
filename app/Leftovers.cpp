#include "app/Leftovers.h"

#include "base/SafeFile.h"
#include "resources/ProductProfile.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>

namespace {

// Older than this, a temporary file belongs to no run that is still writing:
// every transfer it could come from has ended by then.
constexpr std::chrono::hours kStaleAfter{1};

}  // namespace

bool IsProgramFileTarget(const QString& name)
{
    const QFileInfo settings(QString::fromLatin1(ProductProfile::SettingsFileName));
    const QString stem = settings.completeBaseName();
    const QString extension = QLatin1Char('.') + settings.suffix();
    return name == QLatin1String(ProductProfile::FirmwareFileName) ||
           (name.startsWith(stem) && name.endsWith(extension));
}

QStringList RemoveStaleProgramTemporaries(const QString& folder, const QDateTime& now)
{
    const auto when = std::chrono::system_clock::time_point(std::chrono::milliseconds(now.toMSecsSinceEpoch()));
    const std::vector<std::string> removed = RemoveStaleTemporaryFiles(
        QFile::encodeName(folder).toStdString(),
        [](const std::string& target) { return IsProgramFileTarget(QFile::decodeName(target.c_str())); }, kStaleAfter,
        when);
    QStringList names;
    for (const std::string& name : removed)
        names << QFile::decodeName(name.c_str());
    return names;
}
