// Checks of the catalogue sources themselves: lrelease drops unfinished and empty entries
// silently, so a half-done translation would only show as English keys in the running app.
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString context;
    QString source;
    bool numerus = false;
    QString type; // of the translation: empty when finished
    QString translation;
    QStringList forms;

    QString where() const { return context + QLatin1Char('/') + source; }
};

struct Catalogue {
    QString language;
    QList<Message> messages;
    QString error;
};

Catalogue read(const QString &name)
{
    Catalogue catalogue;
    QFile file(QStringLiteral(CATALOGUE_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        catalogue.error = file.errorString();
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("message"))
            catalogue.messages.append(message);
        if (!xml.isStartElement())
            continue;
        const auto tag = xml.name();
        if (tag == QLatin1String("TS")) {
            catalogue.language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (tag == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (tag == QLatin1String("message")) {
            message = Message{context, {}, xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes"), {}, {}, {}};
        } else if (tag == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (tag == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (!message.numerus)
                message.translation = xml.readElementText();
        } else if (tag == QLatin1String("numerusform")) {
            message.forms.append(xml.readElementText());
        }
    }
    if (xml.hasError())
        catalogue.error = xml.errorString();
    return catalogue;
}

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
    for (const char *language : {"de", "en"}) {
        SCOPED_TRACE(language);
        const Catalogue catalogue = read(QStringLiteral("taskarello_%1.ts").arg(QLatin1String(language)));
        ASSERT_TRUE(catalogue.error.isEmpty()) << catalogue.error.toStdString();
        ASSERT_FALSE(catalogue.messages.isEmpty());
        EXPECT_EQ(catalogue.language, QLatin1String(language));
        keys.append(QSet<QString>());
        for (const Message &m : catalogue.messages) {
            SCOPED_TRACE(m.where().toStdString());
            keys.last().insert(m.where());
            EXPECT_TRUE(m.type.isEmpty()) << "translation is " << m.type.toStdString();
            // A "%n" text without plural forms would show one form for every count.
            EXPECT_EQ(m.numerus, m.source.contains(QLatin1String("%n")));
            const QStringList texts = m.numerus ? m.forms : QStringList{m.translation};
            EXPECT_EQ(texts.size(), m.numerus ? 2 : 1);
            for (const QString &text : texts) {
                EXPECT_FALSE(text.trimmed().isEmpty());
                EXPECT_EQ(placeholders(text), placeholders(m.source)) << text.toStdString();
            }
        }
    }
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(QSet<QString>(keys[0]).subtract(keys[1]), QSet<QString>());
    EXPECT_EQ(QSet<QString>(keys[1]).subtract(keys[0]), QSet<QString>());
}

} // namespace
