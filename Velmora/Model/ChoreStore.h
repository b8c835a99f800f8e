#pragma once

#include "Velmora/Model/Chore.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>
#include <vector>

namespace Velmora {

struct SchemaVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
    // As kept in PRAGMA user_version.
    int encoded() const { return major * 10000 + minor * 100 + patch; }
    static SchemaVersion decode(int value) { return {value / 10000, value / 100 % 100, value % 100}; }
    friend bool operator==(const SchemaVersion &, const SchemaVersion &) = default;
};

// The first schema: one record kind, Chore, with its seven fields.
struct S1 {
    static constexpr SchemaVersion version{1, 0, 0};
    static QStringList createStatements();
};

// Schemas, oldest first, and the steps between them; a later schema adds a step from the one before.
struct ChoresMigrationPlan {
    struct Schema {
        SchemaVersion version;
        QStringList createStatements;
    };
    struct Stage {
        SchemaVersion from;
        SchemaVersion to;
        QStringList statements;
    };
    static QList<Schema> schemas();
    static QList<Stage> stages();
    static SchemaVersion latest() { return schemas().constLast().version; }
};

// The one SQLite file that holds every chore. It owns one Chore object per record and writes
// every insert, assignment and delete at once, each in its own transaction.
class ChoreStore : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The store is opened at start-up")

public:
    enum class OpenResult { Opened, CannotCreate, Unreadable, Corrupt, NewerSchema, ForeignSchema };
    Q_ENUM(OpenResult)

    // The text the program stops with when the store cannot be opened.
    static constexpr const char *failureMessage = "Failed to initialize model container.";

    explicit ChoreStore(QObject *parent = nullptr);
    ~ChoreStore() override;

    // The store's file in the app's data folder, shared with the widget program.
    static QString defaultPath();

    // Opens or creates the file. A file that cannot be read as a store of a known schema is
    // left exactly as it was.
    OpenResult open(const QString &path);
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }

    // All chores, in no particular order.
    const std::vector<Chore *> &chores() const { return m_chores; }
    Chore *chore(qint64 persistentId) const { return m_byId.value(persistentId); }

    // nullptr when the row could not be written.
    Chore *insert(const ChoreFields &fields);
    // All rows in one transaction: every chore lands, in the given order, or none does.
    // inserted() is emitted for each only after the commit.
    std::optional<std::vector<Chore *>> insertAll(const QList<ChoreFields> &fields);
    // The object stays alive until the event loop next runs, so callers holding it can finish.
    bool remove(Velmora::Chore *chore);
    // Sets endDate to now.
    bool finish(Velmora::Chore *chore);

    // Runs inserts and field assignments as one write: when writes() returns false or the
    // file refuses the whole, none of them stays, in the file or in memory. No removes inside.
    bool transaction(const std::function<bool()> &writes);

    QString lastError() const { return m_lastError; }

signals:
    void inserted(Velmora::Chore *chore);
    void aboutToRemove(Velmora::Chore *chore);
    void removed(qint64 persistentId);
    void changed(Velmora::Chore *chore, Velmora::Chore::Field field);
    // A write failed; nothing in memory was changed.
    void writeFailed(const QString &error);

private:
    friend class Chore;
    bool bindInsert(const ChoreFields &fields);
    bool writeField(Chore *chore, Chore::Field field, const QVariant &value);
    OpenResult validateExisting(const QString &path);
    bool load();
    void unload();
    bool fail(const QString &error);

    struct Statements;
    std::unique_ptr<Statements> m_statements;
    QString m_connection;
    QString m_path;
    bool m_open = false;
    std::vector<Chore *> m_chores;
    QHash<qint64, Chore *> m_byId;
    QString m_lastError;
    // While a transaction runs: how to take back each change made in memory, oldest first.
    std::vector<std::function<void()>> *m_undo = nullptr;
};

} // namespace Velmora
