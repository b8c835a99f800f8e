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

void expectComplete(const Catalogue &catalogue)
{
    ASSERT_TRUE(catalogue.error.isEmpty()) << catalogue.error.toStdString();
    ASSERT_FALSE(catalogue.messages.isEmpty());
    for (const Message &m : catalogue.messages) {
        SCOPED_TRACE(m.where().toStdString());
        EXPECT_TRUE(m.type.isEmpty()) << "translation is " << m.type.toStdString();
        // Singular and plural, the two forms both languages have.
        const QStringList texts = m.numerus ? m.forms : QStringList{m.translation};
        EXPECT_EQ(texts.size(), m.numerus ? 2 : 1);
        for (const QString &text : texts) {
            EXPECT_FALSE(text.trimmed().isEmpty());
            EXPECT_EQ(placeholders(text), placeholders(m.source)) << text.toStdString();
        }
    }
}

QSet<QString> keys(const Catalogue &catalogue)
{
    QSet<QString> result;
    for (const Message &m : catalogue.messages)
        result.insert(m.where());
    return result;
}

TEST(CatalogueFiles, EveryGermanTextIsFinished)
{
    const Catalogue german = read(QStringLiteral("taskarello_de.ts"));
    EXPECT_EQ(german.language, QStringLiteral("de"));
    expectComplete(german);
}

TEST(CatalogueFiles, EveryEnglishTextIsFinished)
{
    const Catalogue english = read(QStringLiteral("taskarello_en.ts"));
    EXPECT_EQ(english.language, QStringLiteral("en"));
    expectComplete(english);
}

TEST(CatalogueFiles, BothLanguagesCoverTheSameTexts)
{
    const QSet<QString> german = keys(read(QStringLiteral("taskarello_de.ts")));
    const QSet<QString> english = keys(read(QStringLiteral("taskarello_en.ts")));
    EXPECT_EQ(QSet<QString>(german).subtract(english), QSet<QString>());
    EXPECT_EQ(QSet<QString>(english).subtract(german), QSet<QString>());
}

TEST(CatalogueFiles, CountedTextsArePlural)
{
    // A "%n" text without plural forms would show one form for every count.
    for (const char *name : {"taskarello_de.ts", "taskarello_en.ts"}) {
        for (const Message &m : read(QString::fromLatin1(name)).messages) {
            if (m.source.contains(QLatin1String("%n"))) {
                EXPECT_TRUE(m.numerus) << name << ": " << m.where().toStdString();
            }
        }
    }
}

} // namespace
