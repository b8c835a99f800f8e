#include "Velmora/Model/ChorePeople.h"

#include <QTextBoundaryFinder>

namespace Velmora {

QString ChorePeople::cleanName(const QString &name)
{
    QString line;
    line.reserve(std::min<qsizetype>(name.size(), maxNameLength * 2));
    // Breaks and other control characters become spaces, so two lines read as one name.
    for (const QChar c : name)
        line.append(c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
                        ? QLatin1Char(' ') : c);
    line = line.simplified();
    if (line.size() <= maxNameLength)
        return line;
    // Cut at a grapheme boundary, never inside a surrogate pair or before a combining mark.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, line);
    graphemes.setPosition(maxNameLength);
    if (!graphemes.isAtBoundary())
        graphemes.toPreviousBoundary();
    return line.left(std::max<qsizetype>(graphemes.position(), 0)).trimmed();
}

QCollator ChorePeople::nameCollator()
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

QStringList ChorePeople::cleanTurns(const QStringList &turns)
{
    QStringList out;
    for (const QString &name : turns) {
        if (out.size() == maxTurns)
            break;
        const QString clean = cleanName(name);
        if (!clean.isEmpty() && !out.contains(clean))
            out.append(clean);
    }
    return out;
}

QString ChorePeople::nextTurn(const QStringList &turns, const QString &whoseTurn)
{
    if (turns.isEmpty())
        return {};
    const qsizetype at = turns.indexOf(whoseTurn);
    return at < 0 ? turns.first() : turns.at((at + 1) % turns.size());
}

ChorePeople ChorePeople::cleaned() const
{
    ChorePeople out{cleanName(assignee), cleanTurns(turns), cleanName(finishedBy)};
    if (!out.turns.isEmpty() && !out.turns.contains(out.assignee))
        out.assignee = out.turns.first();
    return out;
}

ChorePeople ChorePeople::without(const QString &member) const
{
    ChorePeople out = *this;
    const qsizetype at = turns.indexOf(member);
    if (at >= 0) {
        out.turns.removeAt(at);
        if (assignee == member)
            out.assignee = out.turns.isEmpty() ? QString() : out.turns.at(at % out.turns.size());
    } else if (assignee == member) {
        out.assignee.clear();
    }
    return out;
}

ChorePeople ChorePeople::renamed(const QString &from, const QString &to) const
{
    ChorePeople out = *this;
    const auto swap = [&](QString &name) {
        if (name == from)
            name = to;
    };
    swap(out.assignee);
    swap(out.finishedBy);
    for (QString &name : out.turns)
        swap(name);
    return out.cleaned();
}

bool ChorePeople::names(const QString &member) const
{
    return !member.isEmpty() && (assignee == member || finishedBy == member || turns.contains(member));
}

QStringList ChorePeople::decodeTurns(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace Velmora
