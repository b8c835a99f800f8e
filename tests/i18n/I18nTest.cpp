#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/Reminders.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "i18n/Translations.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

QDateTime berlin(int month, int day) { return at("Europe/Berlin", 2026, month, day); }

// A chore due `days` after 1 May 2026, on the tile and on the detail screen.
ChoreFields dueIn(int days)
{
    ChoreFields f;
    f.startDate = berlin(5, 1);
    f.dueDate = berlin(5, 1).addDays(days);
    return f;
}
QString tile(int days) { return ChoreDates::timeLeftText(dueIn(days), berlin(5, 1), true, false); }
QString detail(int days) { return ChoreDates::timeLeftText(dueIn(days), berlin(5, 1), false, true); }
QString months(const char *key) { return QCoreApplication::translate("Velmora::ChoreDates", key, nullptr, 1); }

// QML looks texts up under the base name of the file that holds them.
QString qmlText(const char *fileName, const char *text)
{
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(QByteArray("import QtQml\nQtObject { property string text: qsTr(\"") + text + "\") }",
                      QUrl(QStringLiteral("qrc:/checks/") + QLatin1String(fileName)));
    std::unique_ptr<QObject> object(component.create());
    return object ? object->property("text").toString() : component.errorString();
}

// Each locale in turn, installed over the one before: its catalogue (or none) is the only one
// that answers, with the plural forms of its language, in C++ and QML alike.
TEST(Translations, EachLocaleShowsItsOwnTexts)
{
    FakeClock clock(at("Europe/Berlin", 2026, 5, 1, 12), zone("Europe/Berlin"));
    ScopedClock installedClock(clock);
    QTemporaryDir dir;
    ChoreStore store;
    ASSERT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
    ChoreFields reminded = dueIn(3);
    reminded.notify = true;
    const Chore *chore = ChoreChanges(store).add(reminded);
    ASSERT_NE(chore, nullptr);
    const auto texts = [chore] {
        ChoreEditor editor;
        editor.setOperation(ChoreEditor::EditingOperation::repeat);
        return QStringList{ChoreDates::durationText(0), ChoreDates::durationText(1), ChoreDates::durationText(21),
                           tile(-1), detail(-1), tile(1), detail(2), tile(61), detail(78), tile(366),
                           months("%n months"), months("%n months left"), editor.saveLabel(),
                           qmlText("ChoresView.qml", "No chores"), qmlText("Elsewhere.qml", "No chores"),
                           Reminders::requestFor(*chore, zone("Europe/Berlin"))
                               .value_or(NotificationRequest{})
                               .body,
                           Recurrence{QStringLiteral("FREQ=WEEKLY"), false, {}, {}}.text(QDate(2026, 5, 6)),
                           Recurrence{QStringLiteral("FREQ=DAILY;INTERVAL=3"), true, {}, {}}.text(QDate(2026, 5, 6)),
                           // Qt's own file dialog's, which Qt's catalogues leave English.
                           qmlText("FileDialog.qml", "File name"), QCoreApplication::translate("QPlatformTheme", "Cancel")};
    };
    const QStringList keys{"Same day", "1 days", "21 days", "overdue", "today", "1 days", "2 days left", "2 months",
                           "3 months left", "years", "1 months", "1 months left", "Repeat", "No chores", "No chores",
                           "This chore is due today!", "Every 1 week(s)", "3 day(s) after finishing", "File name", "Cancel"};
    const QStringList german{"Am selben Tag", "1 Tag", "21 Tage", "überfällig", "heute", "1 Tag", "noch 2 Tage",
                             "2 Monate", "noch 3 Monate", "Jahre", "1 Monat", "noch 1 Monat", "Wiederholen",
                             "Keine Aufgaben", "No chores", "Diese Aufgabe ist heute fällig!",
                             "Jede Woche", "3 Tage nach dem Erledigen", "Dateiname", "Abbrechen"};
    const QStringList english{"Same day", "1 day", "21 days", "overdue", "today", "1 day", "2 days left", "2 months",
                              "3 months left", "years", "1 month", "1 month left", "Repeat", "No chores", "No chores",
                              "This chore is due today!", "Every week", "3 days after finishing", "File name", "Cancel"};
    const struct {
        QLocale locale;
        bool installs;
        const QStringList &expected;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), true, german},
        {QLocale(QLocale::Swahili, QLocale::Kenya), true, english},
        {QLocale::c(), true, english},
        {QLocale(QLocale::English, QLocale::UnitedStates), true, english},
        {QLocale(QLocale::German, QLocale::Switzerland), true, german},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), true, english},
    };
    QPointer<QTranslator> installed;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        const QPointer<QTranslator> before = installed;
        installed = installTranslations(*QCoreApplication::instance(), c.locale);
        EXPECT_EQ(installed != nullptr, c.installs);
        EXPECT_TRUE(before.isNull()) << "the earlier catalogue is gone";
        EXPECT_EQ(texts(), c.expected);
    }
    // Taken out again, the keys show.
    QCoreApplication::removeTranslator(installed);
    EXPECT_EQ(texts(), keys);
    delete installed;
}

// Checks of the catalogue sources themselves: lrelease drops unfinished and empty entries
// silently, so a half-done translation would only show as English keys in the running app.

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
                for (qsizetype i = 0; i < texts.size(); ++i) {
                    EXPECT_FALSE(texts.at(i).trimmed().isEmpty());
                    // The singular of English and German is for 1 alone, which it may say in words ("Every week").
                    QSet<QString> kept = placeholders(texts.at(i));
                    if (numerus && i == 0)
                        kept.insert(QStringLiteral("%n"));
                    EXPECT_EQ(kept, placeholders(source)) << texts.at(i).toStdString();
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
