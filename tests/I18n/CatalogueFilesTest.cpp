// Checks of the catalogue sources themselves: lrelease drops unfinished and empty entries
// silently, so a half-done translation would only show as English keys in the running app.
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%(n|\\d+)"));
    QSet<QString> found;
    for (const auto &match : pattern.globalMatch(text))
        found.insert(match.captured());
    return found;
}

// Both catalogues: every text finished, with the placeholders of its source, two plural forms
// for every counted text, and the same texts in both.
TEST(CatalogueFiles, EveryTextIsFinishedInBothLanguages)
{
    QList<QSet<QString>> keys;
    for (const QString &language : {QStringLiteral("de"), QStringLiteral("en")}) {
        SCOPED_TRACE(language.toStdString());
        QFile file(QStringLiteral(CATALOGUE_DIR "/taskarello_%1.ts").arg(language));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.errorString().toStdString();
        QXmlStreamReader xml(&file);
        keys.append(QSet<QString>());
        QString context, source;
        bool numerus = false;
        QStringList texts;
        while (!xml.atEnd()) {
            xml.readNext();
            const auto tag = xml.name();
            if (xml.isEndElement() && tag == QLatin1String("message")) {
                SCOPED_TRACE((context + QLatin1Char('/') + source).toStdString());
                keys.last().insert(context + QLatin1Char('/') + source);
                // A "%n" text without plural forms would show one form for every count.
                EXPECT_EQ(numerus, source.contains(QLatin1String("%n")));
                EXPECT_EQ(texts.size(), numerus ? 2 : 1);
                for (const QString &text : std::as_const(texts)) {
                    EXPECT_FALSE(text.trimmed().isEmpty());
                    EXPECT_EQ(placeholders(text), placeholders(source)) << text.toStdString();
                }
            }
            if (!xml.isStartElement())
                continue;
            if (tag == QLatin1String("TS")) {
                EXPECT_EQ(xml.attributes().value(QLatin1String("language")), language);
            } else if (tag == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (tag == QLatin1String("message")) {
                numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
                texts.clear();
            } else if (tag == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (tag == QLatin1String("translation")) {
                EXPECT_TRUE(xml.attributes().value(QLatin1String("type")).isEmpty())
                    << "unfinished: " << source.toStdString();
                if (!numerus)
                    texts.append(xml.readElementText());
            } else if (tag == QLatin1String("numerusform")) {
                texts.append(xml.readElementText());
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_FALSE(keys.last().isEmpty());
    }
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(QSet<QString>(keys[0]).subtract(keys[1]), QSet<QString>());
    EXPECT_EQ(QSet<QString>(keys[1]).subtract(keys[0]), QSet<QString>());
}

} // namespace
