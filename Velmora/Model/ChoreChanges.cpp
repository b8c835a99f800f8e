#include "Velmora/Model/ChoreChanges.h"

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

namespace Velmora {

namespace {

bool owns(const ChoreStore *store, const Chore *chore)
{
    return store && chore && store->chore(chore->persistentId()) == chore;
}

} // namespace

ChoreChanges::ChoreChanges(ChoreStore &store, QObject *parent) : QObject(parent), m_store(&store) {}

QString ChoreChanges::lastError() const
{
    return m_error;
}

bool ChoreChanges::fail(const QString &error)
{
    m_error = error;
    return false;
}

Chore *ChoreChanges::add(const ChoreFields &fields)
{
    Chore *chore = m_store ? m_store->insert(fields) : nullptr;
    if (!chore)
        fail(m_store ? m_store->lastError() : QString());
    return chore;
}

bool ChoreChanges::update(Chore *chore, const ChoreFields &fields)
{
    if (!owns(m_store, chore))
        return fail({});
    // One write: a disk that fills half-way must not leave half an edit.
    return m_store->transaction([&] {
        return chore->assignTitle(fields.title) && chore->assignColorComponents(fields.colorComponents)
            && chore->assignStartDate(fields.startDate) && chore->assignDueDate(fields.dueDate)
            && chore->assignNotify(fields.notify) && chore->assignNotificationTime(fields.notificationTime);
    }) || fail(m_store->lastError());
}

Chore *ChoreChanges::repeat(Chore *chore, const ChoreFields &fields)
{
    if (!owns(m_store, chore)) {
        fail({});
        return nullptr;
    }
    Chore *next = nullptr;
    const bool written = m_store->transaction([&] {
        next = m_store->insert(fields);
        return next && chore->assignEndDate(Clock::current().now());
    });
    if (written)
        return next;
    fail(m_store->lastError());
    return nullptr;
}

bool ChoreChanges::finish(Chore *chore)
{
    if (!owns(m_store, chore) || chore->isFinished())
        return fail({});
    return m_store->finish(chore) || fail(m_store->lastError());
}

bool ChoreChanges::remove(Chore *chore)
{
    if (!owns(m_store, chore))
        return fail({});
    return m_store->remove(chore) || fail(m_store->lastError());
}

Chore *ChoreChanges::receive(const ChoreFields &fields, const std::function<bool(Chore *)> &alsoWrite)
{
    if (!m_store) {
        fail({});
        return nullptr;
    }
    Chore *chore = nullptr;
    if (m_store->transaction([&] {
            chore = m_store->insert(fields);
            return chore && alsoWrite(chore);
        }))
        return chore;
    fail(m_store->lastError());
    return nullptr;
}

bool ChoreChanges::receive(Chore *chore, const ChoreFields &fields, const std::function<bool()> &alsoWrite)
{
    if (!owns(m_store, chore))
        return fail({});
    const ChoreFields old = chore->fields();
    return m_store->transaction([&] {
        return (old.title == fields.title || chore->assignTitle(fields.title))
            && (old.colorComponents == fields.colorComponents || chore->assignColorComponents(fields.colorComponents))
            && (old.startDate == fields.startDate || chore->assignStartDate(fields.startDate))
            && (old.dueDate == fields.dueDate || chore->assignDueDate(fields.dueDate))
            && (old.endDate == fields.endDate || chore->assignEndDate(fields.endDate))
            && (old.notify == fields.notify || chore->assignNotify(fields.notify))
            && (old.notificationTime == fields.notificationTime || chore->assignNotificationTime(fields.notificationTime))
            && alsoWrite();
    }) || fail(m_store->lastError());
}

bool ChoreChanges::receiveRemoval(Chore *chore, const std::function<bool()> &alsoWrite)
{
    if (!owns(m_store, chore))
        return fail({});
    return m_store->transaction([&] { return m_store->remove(chore) && alsoWrite(); }) || fail(m_store->lastError());
}

ChoreBackup::Restored ChoreChanges::restore(const QByteArray &backup)
{
    if (!m_store)
        return {};
    return ChoreBackup::restore(*m_store, backup);
}

} // namespace Velmora
