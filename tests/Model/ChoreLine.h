#pragma once

#include "Velmora/Model/Chore.h"

#include <QString>

#include <cstdio>

// One chore as a line of text that names every stored field exactly, so a child process can
// tell its parent what the file should hold and the parent can compare with what it reads.
inline QString choreLine(qint64 id, const Velmora::ChoreFields &f)
{
    const auto ms = [](const QDateTime &d) { return d.isValid() ? QString::number(d.toMSecsSinceEpoch()) : QStringLiteral("none"); };
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(id)
        .arg(QString::fromLatin1(f.title.toUtf8().toBase64()), QString::fromUtf8(f.colorComponents.encode()),
             ms(f.startDate), ms(f.dueDate), f.endDate ? ms(*f.endDate) : QStringLiteral("-"),
             f.notify ? QStringLiteral("1") : QStringLiteral("0"), QString::number(f.notificationTime, 'g', 17));
}

// One line to the parent process, flushed at once: the parent may kill this one any moment.
inline void say(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
