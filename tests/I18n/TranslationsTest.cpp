#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "i18n/Translations.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

QDateTime berlin(int month, int day, int hour = 0) { return at("Europe/Berlin", 2026, month, day, hour); }

class Translations : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (installed) {
            QCoreApplication::removeTranslator(installed);
            delete installed;
        }
    }
    QTranslator *install(const QLocale &locale)
    {
        installed = installTranslations(*QCoreApplication::instance(), locale);
        return installed;
    }
    // A chore due `days` after 1 May 2026, seen at noon that day.
    static ChoreFields dueIn(int days)
    {
        ChoreFields f;
        f.startDate = berlin(5, 1);
        f.dueDate = berlin(5, 1).addDays(days);
        return f;
    }
    static QString tile(int days) { return ChoreDates::timeLeftText(dueIn(days), berlin(5, 1), true, false); }
    static QString detail(int days) { return ChoreDates::timeLeftText(dueIn(days), berlin(5, 1), false, true); }

    FakeClock clock{berlin(5, 1, 12), zone("Europe/Berlin")};
    ScopedClock installedClock{clock};
    QPointer<QTranslator> installed;
};

TEST_F(Translations, GermanDurationsTakeTheSingularOnlyForOne)
{
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Germany)), nullptr);
    EXPECT_EQ(ChoreDates::durationText(0), QStringLiteral("Am selben Tag"));
    EXPECT_EQ(ChoreDates::durationText(1), QStringLiteral("1 Tag"));
    EXPECT_EQ(ChoreDates::durationText(2), QStringLiteral("2 Tage"));
    // Languages with other plural rules take the singular again at 21.
    EXPECT_EQ(ChoreDates::durationText(21), QStringLiteral("21 Tage"));
}

TEST_F(Translations, GermanTimeLeftOnTileAndDetail)
{
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Germany)), nullptr);
    EXPECT_EQ(tile(-1), QStringLiteral("überfällig"));
    EXPECT_EQ(detail(-1), QStringLiteral("heute"));
    EXPECT_EQ(tile(0), QStringLiteral("heute"));
    EXPECT_EQ(tile(1), QStringLiteral("1 Tag"));
    EXPECT_EQ(detail(1), QStringLiteral("noch 1 Tag"));
    EXPECT_EQ(tile(2), QStringLiteral("2 Tage"));
    EXPECT_EQ(detail(60), QStringLiteral("noch 60 Tage"));
    EXPECT_EQ(tile(61), QStringLiteral("2 Monate"));
    EXPECT_EQ(detail(78), QStringLiteral("noch 3 Monate"));
    EXPECT_EQ(tile(366), QStringLiteral("Jahre"));
    EXPECT_EQ(detail(366), QStringLiteral("Jahre"));
    // The day texts show months from 2 on; the singular is still there for a count of 1.
    EXPECT_EQ(QCoreApplication::translate("Velmora::ChoreDates", "%n months", nullptr, 1), QStringLiteral("1 Monat"));
    EXPECT_EQ(QCoreApplication::translate("Velmora::ChoreDates", "%n months left", nullptr, 1), QStringLiteral("noch 1 Monat"));
}

TEST_F(Translations, RegionalGermanFallsBackToTheGermanCatalogue)
{
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Austria)), nullptr);
    EXPECT_EQ(ChoreDates::durationText(1), QStringLiteral("1 Tag"));
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Switzerland)), nullptr);
    EXPECT_EQ(tile(2), QStringLiteral("2 Tage"));
}

TEST_F(Translations, EnglishGivesProperPlurals)
{
    ASSERT_NE(install(QLocale(QLocale::English, QLocale::UnitedStates)), nullptr);
    EXPECT_EQ(ChoreDates::durationText(1), QStringLiteral("1 day"));
    EXPECT_EQ(ChoreDates::durationText(2), QStringLiteral("2 days"));
    EXPECT_EQ(ChoreDates::durationText(0), QStringLiteral("Same day"));
    EXPECT_EQ(tile(1), QStringLiteral("1 day"));
    EXPECT_EQ(detail(1), QStringLiteral("1 day left"));
    EXPECT_EQ(detail(2), QStringLiteral("2 days left"));
    EXPECT_EQ(tile(61), QStringLiteral("2 months"));
    EXPECT_EQ(detail(61), QStringLiteral("2 months left"));
    EXPECT_EQ(tile(-1), QStringLiteral("overdue"));
    EXPECT_EQ(QCoreApplication::translate("Velmora::ChoreDates", "%n months", nullptr, 1), QStringLiteral("1 month"));
    EXPECT_EQ(QCoreApplication::translate("Velmora::ChoreDates", "%n months left", nullptr, 1), QStringLiteral("1 month left"));
}

TEST_F(Translations, BritishEnglishUsesTheEnglishCatalogue)
{
    ASSERT_NE(install(QLocale(QLocale::English, QLocale::UnitedKingdom)), nullptr);
    EXPECT_EQ(ChoreDates::durationText(1), QStringLiteral("1 day"));
}

TEST_F(Translations, UnknownLocaleInstallsNothingAndTheKeysShow)
{
    EXPECT_EQ(install(QLocale(QLocale::Swahili, QLocale::Kenya)), nullptr);
    EXPECT_EQ(ChoreDates::durationText(1), QStringLiteral("1 days"));
    EXPECT_EQ(detail(1), QStringLiteral("1 days left"));
    EXPECT_EQ(tile(-1), QStringLiteral("overdue"));
}

TEST_F(Translations, UnknownLocaleAfterGermanDropsTheGermanCatalogue)
{
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Germany)), nullptr);
    ASSERT_EQ(ChoreDates::durationText(1), QStringLiteral("1 Tag"));
    EXPECT_EQ(install(QLocale(QLocale::Swahili, QLocale::Kenya)), nullptr);
    EXPECT_EQ(ChoreDates::durationText(1), QStringLiteral("1 days"));
    EXPECT_EQ(tile(0), QStringLiteral("today"));
}

TEST_F(Translations, InstallingAgainReplacesTheEarlierCatalogue)
{
    const QPointer<QTranslator> german = install(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(german, nullptr);
    ASSERT_NE(install(QLocale(QLocale::English, QLocale::UnitedStates)), nullptr);
    EXPECT_TRUE(german.isNull());
    // Text English leaves as the key but German translates: only English may answer.
    EXPECT_EQ(tile(366), QStringLiteral("years"));
}

TEST_F(Translations, RemovingTheTranslatorRestoresTheKeys)
{
    QTranslator *german = install(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(german, nullptr);
    ASSERT_EQ(tile(2), QStringLiteral("2 Tage"));
    QCoreApplication::removeTranslator(german);
    EXPECT_EQ(tile(2), QStringLiteral("2 days"));
    EXPECT_EQ(ChoreDates::durationText(1), QStringLiteral("1 days"));
    EXPECT_EQ(ChoreDates::durationText(0), QStringLiteral("Same day"));
}

TEST_F(Translations, GermanEditorButtons)
{
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Germany)), nullptr);
    ChoreEditor editor;
    editor.setOperation(ChoreEditor::EditingOperation::add);
    EXPECT_EQ(editor.saveLabel(), QStringLiteral("Hinzufügen"));
    editor.setOperation(ChoreEditor::EditingOperation::update);
    EXPECT_EQ(editor.saveLabel(), QStringLiteral("Speichern"));
    editor.setOperation(ChoreEditor::EditingOperation::repeat);
    EXPECT_EQ(editor.saveLabel(), QStringLiteral("Wiederholen"));
}

TEST_F(Translations, GermanReminderBody)
{
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Germany)), nullptr);
    QTemporaryDir dir;
    ChoreStore store;
    ASSERT_EQ(store.open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
    ChoreFields f = dueIn(3);
    f.title = QStringLiteral("Blumen gießen");
    f.notify = true;
    Chore *chore = store.insert(f);
    ASSERT_NE(chore, nullptr);
    const auto request = NotificationsManager::reminderRequest(*chore, zone("Europe/Berlin"));
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->body, QStringLiteral("Diese Aufgabe ist heute fällig!"));
    EXPECT_EQ(request->title, QStringLiteral("Blumen gießen"));
}

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

TEST_F(Translations, GermanQmlTexts)
{
    ASSERT_NE(install(QLocale(QLocale::German, QLocale::Germany)), nullptr);
    EXPECT_EQ(qmlText("ChoresView.qml", "No chores"), QStringLiteral("Keine Aufgaben"));
    EXPECT_EQ(qmlText("ContentView.qml", "Add chore"), QStringLiteral("Aufgabe hinzufügen"));
    EXPECT_EQ(qmlText("ChoreView.qml", "Finish this chore?"), QStringLiteral("Diese Aufgabe als erledigt markieren?"));
    // A text of another file is not found under this file's name.
    EXPECT_EQ(qmlText("Elsewhere.qml", "No chores"), QStringLiteral("No chores"));
}

} // namespace
