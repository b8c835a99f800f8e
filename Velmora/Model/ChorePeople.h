#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>

namespace Velmora {

// Who a chore is for and who did it. An empty assignee is anyone; a non-empty turn order means
// the chore passes among those members in that order, the assignee being whose turn it is now.
// finishedBy is set only on finished copies.
struct ChorePeople {
    QString assignee;
    QStringList turns;
    QString finishedBy;

    // Names come from other devices and other apps: one line, trimmed, at most this long.
    static constexpr int maxNameLength = 64;
    // A turn order longer than this is cut.
    static constexpr int maxTurns = 64;

    static QString cleanName(const QString &name);
    // Cleaned names, blanks and repeats dropped, cut at maxTurns.
    static QStringList cleanTurns(const QStringList &turns);
    // The member after the one whose turn it was; the first when that one is no longer in the
    // order; empty for an empty order.
    static QString nextTurn(const QStringList &turns, const QString &whoseTurn);
    // How member names are ordered wherever they are listed: as the user's language sorts them,
    // numbers by value, case aside.
    static QCollator nameCollator();

    // Every name cleaned, and a turn order's assignee one of its members.
    ChorePeople cleaned() const;
    // Without the member: an assignment goes to anyone, and when it was their turn the turn passes
    // to the one after them. Who finished stays: it happened.
    ChorePeople without(const QString &member) const;
    ChorePeople renamed(const QString &from, const QString &to) const;
    // Whether the member appears anywhere.
    bool names(const QString &member) const;
    bool isEmpty() const { return assignee.isEmpty() && turns.isEmpty() && finishedBy.isEmpty(); }

    // How the turn order is kept in the store: one name per line, which no clean name contains.
    static QString encodeTurns(const QStringList &turns) { return turns.join(QLatin1Char('\n')); }
    static QStringList decodeTurns(const QString &text);

    friend bool operator==(const ChorePeople &, const ChorePeople &) = default;
};

} // namespace Velmora
