#pragma once

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

using VelmoraTest::fields;

// A store in a fresh temporary folder, and raw SQL access to its file for planting odd rows.
class StoreFixture : public ::testing::Test {
protected:
    QString storePath() const { return storeFolder + QStringLiteral("/chores.sqlite"); }
    // The permission bits of a file or folder (0644), or -1 when there is none.
    static int mode(const QString &path) { struct stat s {}; return ::stat(qPrintable(path), &s) ? -1 : int(s.st_mode & 07777); }

    std::unique_ptr<Velmora::ChoreStore> openStore()
    {
        auto store = std::make_unique<Velmora::ChoreStore>();
        EXPECT_EQ(store->open(storePath()), Velmora::ChoreStore::OpenResult::Opened) << qPrintable(store->lastError());
        return store;
    }

    // Runs statements on the file directly, as another program writing odd values would.
    void rawExec(const QStringList &statements)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            db.setDatabaseName(storePath());
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString &statement : statements)
                ASSERT_TRUE(query.exec(statement)) << qPrintable(statement);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }

    // The first value a statement gives, through a connection of its own, on the store's file or another.
    QVariant rawValue(const QString &sql, const QString &path = {})
    {
        QVariant value;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
            db.setDatabaseName(path.isEmpty() ? storePath() : path);
            QSqlQuery query(db);
            if (db.open() && query.exec(sql) && query.next())
                value = query.value(0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("peek"));
        return value;
    }

    // A file as the first schema wrote it, with `chores` chores of which `finished` are finished.
    // A file as an earlier version of the app left it.
    void writeFirstSchema(int chores, int finished,
                          const Velmora::ChoresMigrationPlan::Schema &schema = Velmora::ChoresMigrationPlan::schemas().first())
    {
        QDir().mkpath(storeFolder);
        QStringList statements = schema.createStatements;
        statements << QStringLiteral("PRAGMA user_version = %1").arg(schema.version.encoded());
        statements << QStringLiteral("BEGIN");
        for (int i = 0; i < chores; ++i) {
            statements << QStringLiteral("INSERT INTO Chore (title, startDate, dueDate, endDate)"
                                         " VALUES ('chore %1 %2', 1767225600000, 1769904000000, %3)")
                              .arg(i).arg(QString(200, QLatin1Char('x')))
                              .arg(i < finished ? QString::number(1769904000000LL + i) : QStringLiteral("NULL"));
        }
        statements << QStringLiteral("COMMIT");
        rawExec(statements);
    }

    QTemporaryDir dir;
    // Where the store file lives; a test may move it, to another file system say.
    QString storeFolder = dir.filePath(QStringLiteral("store"));
};
