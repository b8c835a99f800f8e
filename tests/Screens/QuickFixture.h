#pragma once

#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/NotificationService.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WidgetCenter.h"
#include "tests/support/Fakes.h"

#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

// What the screen tests drive: the real app on a temporary store, with a fake clock, a fake
// time-change notice, a fake notification service and a fake widget host.
class QuickFixture : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject *app READ app CONSTANT)

public:
    QuickFixture();
    ~QuickFixture() override;

    QObject *app() const { return m_app.get(); }

    // A chore starting `startIn` days from today and due `dueIn` days from today.
    Q_INVOKABLE QObject *addChore(const QString &title, int startIn, int dueIn, bool notify = false);
    // Finished `daysAgo` days before now, at the given hour.
    Q_INVOKABLE QObject *addFinished(const QString &title, int daysAgo, int hour);
    Q_INVOKABLE int activeCount() const;
    // A file URL in the fixture's own folder.
    Q_INVOKABLE QUrl fileUrl(const QString &name) const { return QUrl::fromLocalFile(m_dir.filePath(name)); }
    Q_INVOKABLE void removeAll();
    Q_INVOKABLE int journalCount() const;
    Q_INVOKABLE int storedCount() const;
    Q_INVOKABLE QStringList activeTitles() const;
    Q_INVOKABLE int pendingReminders() const;
    Q_INVOKABLE QString pendingTitle(int index) const;
    // Moves the clock to a minute past the next midnight and announces the change.
    Q_INVOKABLE void crossMidnight();
    // Empties the store, the path and the reminders between tests.
    Q_INVOKABLE void reset();

private:
    QTemporaryDir m_dir;
    Velmora::FakeClock m_clock;
    Velmora::FakeTimeChangeNotifier m_timeChanges;
    Velmora::FakeNotificationService m_notifications;
    Velmora::FakeWidgetCenter m_widgets;
    std::unique_ptr<Velmora::VelmoraApp> m_app;
};
