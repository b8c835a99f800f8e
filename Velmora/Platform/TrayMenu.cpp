#include "Velmora/Platform/TrayMenu.h"

#include <QSet>

#include <algorithm>

namespace Velmora {

namespace {
// dbusmenu reads "_" as the mark of an access key; a chore title is shown as typed.
QString escapedLabel(QString label)
{
    return label.replace(QLatin1Char('_'), QStringLiteral("__"));
}
} // namespace

bool TrayMenu::setItems(const QList<TrayMenuItem> &items)
{
    QList<TrayMenuItem> kept;
    QSet<int> taken;
    int largest = rootId;
    for (const TrayMenuItem &i : items) {
        if (i.kind == TrayMenuItem::Kind::Separator) {
            kept.append(TrayMenuItem::separator());
            continue;
        }
        if (i.id <= rootId || taken.contains(i.id))
            continue;
        taken.insert(i.id);
        largest = std::max(largest, i.id);
        kept.append(i);
    }
    if (kept == m_items)
        return false;

    m_items = kept;
    m_ids.clear();
    int nextSeparatorId = largest;
    for (const TrayMenuItem &i : std::as_const(m_items))
        m_ids.append(i.kind == TrayMenuItem::Kind::Separator ? ++nextSeparatorId : i.id);
    ++m_revision;
    return true;
}

const TrayMenuItem *TrayMenu::item(int id) const
{
    const qsizetype index = m_ids.indexOf(id);
    return index < 0 ? nullptr : &m_items.at(index);
}

QVariantMap TrayMenu::properties(int id, const QStringList &names) const
{
    QVariantMap all;
    if (id == rootId) {
        all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (const TrayMenuItem *i = item(id)) {
        if (i->kind == TrayMenuItem::Kind::Separator) {
            all.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            all.insert(QStringLiteral("label"), escapedLabel(i->label));
            if (!i->enabled)
                all.insert(QStringLiteral("enabled"), false);
        }
    }
    if (names.isEmpty())
        return all;
    QVariantMap named;
    for (const QString &name : names) {
        if (all.contains(name))
            named.insert(name, all.value(name));
    }
    return named;
}

int TrayMenu::actionFor(int id) const
{
    const TrayMenuItem *i = item(id);
    return i && i->kind == TrayMenuItem::Kind::Action && i->enabled ? i->id : 0;
}

} // namespace Velmora
