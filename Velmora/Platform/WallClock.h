#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <optional>

namespace Velmora {

// The first instant at which the wall clock of zone reads day at time. A time the day skips
// (a change to summer time) becomes the moment the clock jumps over it; a time the day has
// twice takes the first. None where the zone or the day give no instant.
std::optional<QDateTime> firstInstantAt(QDate day, QTime time, const QTimeZone &zone);

} // namespace Velmora
