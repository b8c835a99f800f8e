#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

namespace Velmora {

// One row of the tray icon's menu: an action the user can pick, or a separator line.
struct TrayMenuItem {
    enum class Kind { Action, Separator };

    Kind kind = Kind::Action;
    // The owner's own key for an action, handed back when it is picked; positive and unique
    // within one menu. Separators carry none.
    int id = 0;
    QString label;
    bool enabled = true;

    static TrayMenuItem action(int id, const QString &label, bool enabled = true)
    {
        return {Kind::Action, id, label, enabled};
    }
    static TrayMenuItem separator() { return {Kind::Separator, 0, {}, true}; }

    friend bool operator==(const TrayMenuItem &, const TrayMenuItem &) = default;
};

// The flat list of menu items as com.canonical.dbusmenu sees it: a root (id 0) whose children
// are the items. An action keeps its own id on the bus, so a click that races a new list still
// names the action the user saw; separators get ids past the largest action id.
class TrayMenu {
public:
    static constexpr int rootId = 0;

    const QList<TrayMenuItem> &items() const { return m_items; }
    // Starts at 1 and grows with every change of the list.
    uint revision() const { return m_revision; }

    // Replaces the whole list. Actions whose id is not positive or already taken are left out.
    // Returns false, and keeps the revision, when the list is what it was.
    bool setItems(const QList<TrayMenuItem> &items);

    // Ids of the root's children, in menu order.
    const QList<int> &childIds() const { return m_ids; }
    bool contains(int id) const { return id == rootId || m_ids.contains(id); }
    // The dbusmenu properties of an item (or the root) that differ from the protocol's
    // defaults; `names`, when not empty, keeps only those named.
    QVariantMap properties(int id, const QStringList &names = {}) const;
    // The owner's action behind a click on `id`, or 0 when nothing is to be triggered.
    int actionFor(int id) const;

private:
    const TrayMenuItem *item(int id) const;

    QList<TrayMenuItem> m_items;
    QList<int> m_ids;
    uint m_revision = 1;
};

} // namespace Velmora
