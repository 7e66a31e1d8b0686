// Every .ts file is complete (no unfinished, vanished or empty entry) and
// each translation keeps what the program fills in or relies on: the
// placeholders, the keyboard accelerator, the line breaks at the ends.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <vector>

namespace {

struct TEntry {
    QString Context, Source, Translation, Type;
};

std::vector<TEntry> ReadTs(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<TEntry> entries;
    QXmlStreamReader xml(&file);
    QString context;
    TEntry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            entry = TEntry{context, {}, {}, {}};
        else if (xml.name() == QLatin1String("source"))
            entry.Source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            entry.Type = xml.attributes().value(QLatin1String("type")).toString();
            entry.Translation = xml.readElementText();
            entries.push_back(entry);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return entries;
}

QSet<QString> Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    QSet<QString> found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

// A single '&' marks the accelerator; "&&" is a literal ampersand.
bool HasAccelerator(const QString& text) { return QString(text).remove(QStringLiteral("&&")).contains('&'); }

class TranslationFile : public ::testing::TestWithParam<const char*> {};

TEST_P(TranslationFile, IsCompleteAndKeepsWhatTheProgramFillsIn)
{
    const QString path = QDir(QStringLiteral(NORVO_TS_FOLDER)).filePath(QStringLiteral("norvo_%1.ts").arg(GetParam()));
    const std::vector<TEntry> entries = ReadTs(path);
    ASSERT_GT(entries.size(), 100u) << "the file lost its texts";
    for (const TEntry& e : entries) {
        const std::string where = e.Context.toStdString() + ": \"" + e.Source.toStdString() + "\"";
        EXPECT_TRUE(e.Type.isEmpty()) << where << " is " << e.Type.toStdString();
        EXPECT_FALSE(e.Translation.trimmed().isEmpty()) << where << " has no translation";
        EXPECT_EQ(Placeholders(e.Translation), Placeholders(e.Source)) << where;
        EXPECT_EQ(HasAccelerator(e.Translation), HasAccelerator(e.Source)) << where;
        EXPECT_EQ(e.Translation.endsWith('\n'), e.Source.endsWith('\n')) << where;
        EXPECT_EQ(e.Translation.startsWith(' '), e.Source.startsWith(' ')) << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFile, ::testing::Values("de", "fr", "es"));

}  // namespace
