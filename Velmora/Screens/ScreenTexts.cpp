#include "Velmora/Screens/ScreenTexts.h"

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/Clock.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace Velmora {

QString ScreenTexts::initialOf(const QString &name)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    const qsizetype end = graphemes.toNextBoundary();
    return name.left(end > 0 ? end : 1).toUpper();
}

qint64 ScreenTexts::secondsIntoDay(double notificationTime)
{
    if (!std::isfinite(notificationTime) || std::abs(notificationTime) > 1e15)
        return qint64(ChoreFields::defaultNotificationTime);
    return ((qint64(notificationTime) % 86400) + 86400) % 86400;
}

QString ScreenTexts::longDateFormat(const QLocale &locale, bool abbreviatedMonths)
{
    static const QRegularExpression weekday(QStringLiteral("d{4}[,.]?\\s*"));
    QString format = locale.dateFormat(QLocale::LongFormat);
    format.remove(weekday);
    if (abbreviatedMonths)
        format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return format.trimmed();
}

QString ScreenTexts::reminderTimeText(double notificationTime, const QLocale &locale)
{
    const qint64 seconds = secondsIntoDay(notificationTime);
    int hour = int(seconds / 3600);
    const int minute = int(seconds % 3600 / 60);
    if (locale.timeFormat(QLocale::ShortFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive))
        hour = (hour + 11) % 12 + 1;
    return QStringLiteral("%1:%2").arg(locale.toString(hour), locale.toString(minute).rightJustified(2, locale.zeroDigit().at(0)));
}

QString ScreenTexts::datesText(const QDateTime &start, const QDateTime &end) const
{
    return datesText(start, end, Clock::current().timeZone(), QLocale());
}

QString ScreenTexts::datesText(const QDateTime &start, const QDateTime &end, const QTimeZone &zone, const QLocale &locale)
{
    const QDate from = start.isValid() ? start.toTimeZone(zone).date() : QDate();
    const QDate to = end.isValid() ? end.toTimeZone(zone).date() : QDate();
    const QString format = longDateFormat(locale, true);
    if (!from.isValid() || !to.isValid())
        return from.isValid() ? locale.toString(from, format) : locale.toString(to, format);
    if (from == to)
        return locale.toString(from, format);
    return QStringLiteral("%1 – %2").arg(locale.toString(from, format), locale.toString(to, format));
}

QString ScreenTexts::finishedCaption(const QDateTime &due, const QDateTime &end, int days) const
{
    const QString duration = ChoreDates::durationText(std::max(0, days));
    const QTimeZone zone = Clock::current().timeZone();
    const QDate dueDay = due.isValid() ? due.toTimeZone(zone).date() : QDate();
    const QDate endDay = end.isValid() ? end.toTimeZone(zone).date() : QDate();
    if (!dueDay.isValid() || !endDay.isValid() || endDay >= dueDay)
        return duration;
    // The day and month alone: a tile is narrow, and the section above it tells the year.
    static const QRegularExpression year(QStringLiteral("[\\s,./-]*y+[.年]?"));
    const QString format = longDateFormat(QLocale(), true).remove(year).trimmed();
    return tr("%1 · due %2").arg(duration, QLocale().toString(dueDay, format));
}

QColor ScreenTexts::foregroundColorOn(const QColor &background)
{
    const auto channel = [](float c) {
        c = std::clamp(std::isnan(c) ? 0.0f : c, 0.0f, 1.0f);
        return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
    };
    const QColor rgb = background.toRgb();
    const float luminance = 0.2126f * channel(rgb.redF()) + 0.7152f * channel(rgb.greenF()) + 0.0722f * channel(rgb.blueF());
    // White keeps at least a 2:1 contrast down to this luminance; past it, dark text reads better.
    return luminance > 0.45f ? QColor(0x1c, 0x1c, 0x1e) : QColor(Qt::white);
}

QVariantMap ScreenTexts::typeOnWheel(const QStringList &values, const QString &typed)
{
    const auto indexOf = [&](const QString &digits) {
        bool number = false;
        const int wanted = digits.toInt(&number);
        for (qsizetype i = 0; number && digits.size() <= 2 && i < values.size(); ++i) {
            if (values[i].toInt() == wanted)
                return int(i);
        }
        return -1;
    };
    QString digits = typed.right(2);
    int index = indexOf(digits);
    if (index < 0 && digits.size() > 1) {
        digits = typed.right(1);
        index = indexOf(digits);
    }
    // One more digit could still name a value: "1" may become "12", "3" of an hour stays 3.
    const int tens = digits.toInt() * 10;
    const bool more = digits.size() == 1
        && std::any_of(values.begin(), values.end(), [&](const QString &value) { return value.toInt() >= tens && value.toInt() < tens + 10; });
    return {{QStringLiteral("index"), index}, {QStringLiteral("pending"), more ? digits : QString()}};
}

} // namespace Velmora
