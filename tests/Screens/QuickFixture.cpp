#include "QuickFixture.h"

#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "tests/support/TestSupport.h"

using namespace Velmora;

QuickFixture::QuickFixture()
    : m_clock(VelmoraTest::at("Europe/Berlin", 2026, 5, 20, 10), VelmoraTest::zone("Europe/Berlin"))
{
    Clock::install(&m_clock);
    m_app = std::make_unique<VelmoraApp>(VelmoraApp::Services{&m_timeChanges, &m_widgets, &m_notifications});
    m_app->open(m_dir.filePath(QStringLiteral("chores.sqlite")));
    VelmoraApp::setInstance(m_app.get());
}

QuickFixture::~QuickFixture()
{
    m_app.reset();
    Clock::install(nullptr);
}

QObject *QuickFixture::addChore(const QString &title, int startIn, int dueIn, bool notify)
{
    ChoreFields f = ChoreFields::defaults();
    f.title = title;
    f.startDate = ChoreDates::addDays(f.startDate, startIn);
    f.dueDate = ChoreDates::addDays(ChoreDates::startOfDay(m_clock.now()), dueIn);
    f.notify = notify;
    return m_app->store()->insert(f);
}

QObject *QuickFixture::addFinished(const QString &title, int daysAgo, int hour)
{
    ChoreFields f = ChoreFields::defaults();
    f.title = title;
    const QDateTime day = ChoreDates::addDays(ChoreDates::startOfDay(m_clock.now()), -daysAgo);
    f.startDate = ChoreDates::addDays(day, -3);
    f.dueDate = day;
    f.endDate = day.addSecs(hour * 3600);
    return m_app->store()->insert(f);
}

int QuickFixture::activeCount() const { return m_app->chores()->rowCount(); }
int QuickFixture::journalCount() const { return m_app->journal()->rowCount(); }
int QuickFixture::storedCount() const { return int(m_app->store()->chores().size()); }

QStringList QuickFixture::activeTitles() const
{
    QStringList titles;
    for (const Chore *chore : m_app->chores()->rows())
        titles << chore->title();
    return titles;
}

int QuickFixture::pendingReminders() const { return int(m_notifications.pendingRequests().size()); }

QString QuickFixture::pendingTitle(int index) const
{
    const auto pending = m_notifications.pendingRequests();
    return index >= 0 && index < pending.size() ? pending.at(index).title : QString();
}

void QuickFixture::crossMidnight()
{
    const QDateTime next = ChoreDates::startOfDay(m_clock.now()).addDays(1).addSecs(60);
    m_clock.setNow(next);
    m_timeChanges.fire();
}

void QuickFixture::removeAll()
{
    const std::vector<Chore *> all = m_app->store()->chores();
    for (Chore *chore : all)
        m_app->changes()->remove(chore);
}

void QuickFixture::reset()
{
    m_app->router()->popToRoot();
    removeAll();
    QStringList identifiers;
    for (const auto &request : m_notifications.pendingRequests())
        identifiers << request.identifier;
    m_notifications.removePendingRequests(identifiers);
    m_clock.setNow(VelmoraTest::at("Europe/Berlin", 2026, 5, 20, 10));
    m_app->refreshDay()->refresh(m_clock.now());
}
