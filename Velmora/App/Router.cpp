#include "Velmora/App/Router.h"

namespace Velmora {

bool Router::carriesChore(Kind kind)
{
    return kind != addChore && kind != journal && kind != syncAccount && kind != household;
}

RouterPage::RouterPage(Router::Kind kind, Chore *chore)
    : m_kind(kind)
{
    if (Router::carriesChore(kind) && chore) {
        m_chore = chore;
        m_choreId = chore->persistentId();
        m_hasChore = true;
    }
}

Router::Router(QObject *parent)
    : QObject(parent)
{
}

Router::~Router() = default;

QList<RouterPage> Router::path() const
{
    return m_path;
}

void Router::setPath(const QList<RouterPage> &path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged();
}

int Router::depth() const
{
    return int(m_path.size());
}

bool Router::push(int kind, Chore *chore)
{
    if (!isKind(kind))
        return false;
    return push(RouterPage(Kind(kind), chore));
}

bool Router::push(const RouterPage &page)
{
    if (!page.isValid())
        return false;
    QList<RouterPage> next = m_path;
    next.append(page);
    setPath(next);
    return true;
}

void Router::pop()
{
    if (m_path.isEmpty())
        return;
    QList<RouterPage> next = m_path;
    next.removeLast();
    setPath(next);
}

void Router::popToRoot()
{
    setPath({});
}

int Router::kindAt(int index) const
{
    return index >= 0 && index < m_path.size() ? int(m_path.at(index).kind()) : -1;
}

Chore *Router::choreAt(int index) const
{
    return index >= 0 && index < m_path.size() ? m_path.at(index).chore() : nullptr;
}

} // namespace Velmora
