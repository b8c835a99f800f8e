#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreChanges.h"
#include "tests/support/Fakes.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <sys/resource.h>

#include <functional>

namespace VelmoraTest {

// A local wall-clock time in a named zone, e.g. at("Europe/Berlin", 2026, 3, 29, 1, 30).
QDateTime at(const char *zone, int year, int month, int day, int hour = 0, int minute = 0);
QTimeZone zone(const char *ianaId);

// Runs the event loop until done() holds or the timeout passes; returns done().
bool waitFor(const std::function<bool()> &done, int timeoutMs = 5000);

// A chore of plain red, unfinished, without a reminder.
inline Velmora::ChoreFields fields(const QString &title, const QDateTime &start, const QDateTime &due)
{
    return {title, Velmora::ColorComponentsModel::standardRed(), start, due, std::nullopt, false, 32400};
}

// One field of a chore written through the changes, the rest and its rule as the chore holds them.
template <typename T, typename V>
bool assign(Velmora::ChoreChanges &changes, Velmora::Chore *chore, T Velmora::ChoreFields::*field, const V &value)
{
    Velmora::ChoreFields next = chore->fields();
    next.*field = value;
    return changes.receive(chore, next, chore->recurrence(), chore->people(), [] { return true; });
}

// CPU time this thread has used, in ms: a time limit that a busy machine does not break.
qint64 threadCpuMs();

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#elif defined(__has_feature)
constexpr bool sanitized = __has_feature(address_sanitizer);
#else
constexpr bool sanitized = false;
#endif
// A limit of CPU time, five times as long in the unoptimised sanitizer build.
constexpr qint64 cpuLimitMs(qint64 ms) { return sanitized ? 5 * ms : ms; }

// Reads a whole file (empty when missing).
QByteArray readAll(const QString &path);
// Writes a whole file, its folder made first; false when it could not.
bool writeAll(const QString &path, const QByteArray &bytes);

// While it lives this process writes no byte of any file: the disk is full as the app's writes
// see it (EFBIG, with SIGXFSZ ignored rather than ending the process).
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
};

} // namespace VelmoraTest
