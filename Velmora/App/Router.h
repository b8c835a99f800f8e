#pragma once

#include "Velmora/Model/Chore.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace Velmora {

class RouterPage;

// The one navigation path of the app: the pages shown above the root view, first pushed
// first. It notifies when the path changes.
class Router : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<Velmora::RouterPage> path READ path WRITE setPath NOTIFY pathChanged)
    Q_PROPERTY(int depth READ depth NOTIFY pathChanged)

public:
    using Page = RouterPage;

    // The page cases. QML only resolves enum keys that start with a capital letter, hence
    // the second spelling of each case.
    enum Kind {
        viewChore,
        addChore,
        updateChore,
        repeatChore,
        copyChore,
        journal,
        journalChore,
        syncAccount,
        household,
        ViewChore = viewChore,
        AddChore = addChore,
        UpdateChore = updateChore,
        RepeatChore = repeatChore,
        CopyChore = copyChore,
        Journal = journal,
        JournalChore = journalChore,
        SyncAccount = syncAccount,
        Household = household,
    };
    Q_ENUM(Kind)

    static bool carriesChore(Kind kind);
    static bool isKind(int value) { return value >= viewChore && value <= household; }

    explicit Router(QObject *parent = nullptr);
    ~Router() override;

    QList<RouterPage> path() const;
    void setPath(const QList<RouterPage> &path);
    int depth() const;

    // False, and the path is left alone, for an unknown case or a missing chore where the
    // case needs one. The chore is ignored by the cases without one.
    Q_INVOKABLE bool push(int kind, Velmora::Chore *chore = nullptr);
    bool push(const RouterPage &page);
    // Removes the top page; nothing happens on an empty path.
    Q_INVOKABLE void pop();
    // Empties the path.
    Q_INVOKABLE void popToRoot();

    // -1 and nullptr outside the path.
    Q_INVOKABLE int kindAt(int index) const;
    Q_INVOKABLE Velmora::Chore *choreAt(int index) const;

signals:
    void pathChanged();

private:
    QList<RouterPage> m_path;
};

// One page of the path: a case and, for the cases that have one, its chore. Pages are equal
// and hash alike by case and the chore's stored identity, which the page keeps so that it
// stays a stable key even after its chore is gone.
class RouterPage {
    Q_GADGET
    Q_PROPERTY(Velmora::Router::Kind kind READ kind CONSTANT)
    Q_PROPERTY(Velmora::Chore *chore READ chore CONSTANT)

public:
    RouterPage() = default;
    explicit RouterPage(Router::Kind kind, Chore *chore = nullptr);

    Router::Kind kind() const { return m_kind; }
    // nullptr for the cases without a chore, and once the chore has been destroyed.
    Chore *chore() const { return m_chore.data(); }
    qint64 choreId() const { return m_choreId; }
    // A case that needs a chore was given none.
    bool isValid() const { return !Router::carriesChore(m_kind) || m_hasChore; }

    friend bool operator==(const RouterPage &a, const RouterPage &b)
    {
        return a.m_kind == b.m_kind && a.m_hasChore == b.m_hasChore && a.m_choreId == b.m_choreId;
    }
    friend size_t qHash(const RouterPage &page, size_t seed = 0) noexcept
    {
        return qHashMulti(seed, int(page.m_kind), page.m_hasChore, page.m_choreId);
    }

private:
    Router::Kind m_kind = Router::addChore;
    QPointer<Chore> m_chore;
    qint64 m_choreId = 0;
    bool m_hasChore = false;
};

} // namespace Velmora
