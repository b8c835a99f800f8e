#include "BackupFixture.h"

#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

using namespace Velmora;
using VelmoraTest::at;

namespace {

// Seconds to fuzz: 3 unless VELMORA_FUZZ_SECONDS says more.
int fuzzSeconds()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("VELMORA_FUZZ_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : 3;
}

class BackupFuzzTest : public BackupFixture {
protected:
    QByteArray seedBackup()
    {
        QList<ChoreFields> seed;
        for (int i = 0; i < 4; ++i) {
            ChoreFields f;
            f.title = QStringLiteral("chore %1, \u00e9").arg(i);
            f.colorComponents = {0.1f * float(i), 0.5f, 1.5f};
            f.startDate = at("UTC", 2026, 1, 1 + i);
            f.dueDate = at("UTC", 2026, 2, 1 + i);
            if (i % 2)
                f.endDate = at("UTC", 2026, 1, 20);
            f.notify = i % 3 == 0;
            f.notificationTime = 3600.0 * i;
            seed.append(f);
        }
        return ChoreBackup::encode(seed).bytes;
    }

    QRandomGenerator random{quint32(qEnvironmentVariableIntValue("VELMORA_FUZZ_SEED")) + 20260101u};

    int below(int n) { return n <= 0 ? 0 : int(random.bounded(quint32(n))); }

    QJsonValue oddValue()
    {
        static const QJsonValue pool[] = {
            QJsonValue::Null, QJsonValue(true), QJsonValue(0), QJsonValue(-1), QJsonValue(1e308), QJsonValue(-0.0),
            QJsonValue(86400), QJsonValue(""), QJsonValue("2026-01-01T00:00:00Z"), QJsonValue("2026-01-01T00:00:00"),
            QJsonValue("9999-12-31T23:59:59.999Z"), QJsonValue("0000-01-01T00:00:00Z"), QJsonValue("1.0.0"),
            QJsonValue("2.0.0"), QJsonValue(QJsonArray{1, 2}), QJsonValue(QJsonObject{{"red", 1}, {"green", 1}, {"blue", 1}}),
            QJsonValue(QJsonObject{}), QJsonValue(QString(200, QChar(0xFFFF))),
        };
        return pool[below(int(std::size(pool)))];
    }

    // A change inside the JSON tree: keeps the file readable as JSON, so the deeper checks run.
    QByteArray structuralMutation(const QByteArray &seed)
    {
        QJsonObject root = QJsonDocument::fromJson(seed).object();
        QJsonArray chores = root.value("chores").toArray();
        const char *fields[] = {"title", "colorComponents", "startDate", "dueDate", "endDate", "notify", "notificationTime", "extra"};
        const int changes = 1 + below(3);
        for (int c = 0; c < changes; ++c) {
            switch (below(6)) {
            case 0: root.insert(below(2) ? "schemaVersion" : "format", oddValue()); break;
            case 1:
                if (!chores.isEmpty())
                    chores.removeAt(below(int(chores.size())));
                break;
            case 2:
                if (!chores.isEmpty())
                    chores.append(chores.at(below(int(chores.size()))));
                break;
            default: {
                if (chores.isEmpty())
                    break;
                const int i = below(int(chores.size()));
                QJsonObject chore = chores.at(i).toObject();
                const char *field = fields[below(int(std::size(fields)))];
                if (below(4) == 0)
                    chore.remove(QLatin1String(field));
                else
                    chore.insert(QLatin1String(field), oddValue());
                chores.replace(i, chore);
            }
            }
        }
        root.insert("chores", chores);
        return QJsonDocument(root).toJson(QJsonDocument::Compact);
    }

    QByteArray byteMutation(QByteArray bytes)
    {
        static const QByteArray tokens[] = {"null", "1e999", "-", "\"", "\\u0000", "{", "}", "[", "]", ",", ":", "NaN", "\xff\xfe"};
        const int changes = 1 + below(8);
        for (int c = 0; c < changes && !bytes.isEmpty(); ++c) {
            const int at = below(int(bytes.size()));
            switch (below(5)) {
            case 0: bytes[at] = char(random.bounded(256)); break;
            case 1: bytes.remove(at, 1 + below(16)); break;
            case 2: bytes.insert(at, tokens[below(int(std::size(tokens)))]); break;
            case 3: bytes.truncate(at); break;
            default: bytes.insert(at, bytes.mid(below(int(bytes.size())), below(64))); break;
            }
        }
        return bytes;
    }

    QByteArray randomBytes()
    {
        QByteArray bytes(below(512), '\0');
        for (char &b : bytes)
            b = char(random.bounded(256));
        return bytes;
    }
};

TEST_F(BackupFuzzTest, RestoreAddsExactlyTheValidChoresOrNothing)
{
    auto store = openStore();
    const QByteArray seed = seedBackup();
    QElapsedTimer timer;
    timer.start();
    int runs = 0;
    int accepted = 0;
    while (timer.elapsed() < fuzzSeconds() * 1000LL) {
        QByteArray input;
        switch (runs % 3) {
        case 0: input = structuralMutation(seed); break;
        case 1: input = byteMutation(below(2) ? seed : structuralMutation(seed)); break;
        default: input = randomBytes(); break;
        }
        ++runs;
        const QList<QByteArray> before = keys(*store);
        const ChoreBackup::Decoded decoded = ChoreBackup::decode(input);
        const ChoreBackup::Restored restored = ChoreBackup::restore(*store, input);
        ASSERT_EQ(restored.ok, decoded.error.isEmpty()) << input.toStdString();
        ASSERT_FALSE(restored.message.isEmpty());
        if (!restored.ok) {
            ASSERT_EQ(keys(*store), before) << input.toStdString();
            continue;
        }
        ++accepted;
        // What the store holds afterwards is, per chore, the larger of its count before and in the file.
        QHash<QByteArray, int> expected;
        for (const QByteArray &key : before)
            ++expected[key];
        QHash<QByteArray, int> inFile;
        for (const ChoreFields &f : decoded.chores)
            ++inFile[ChoreBackup::matchKey(f)];
        for (auto it = inFile.cbegin(); it != inFile.cend(); ++it)
            expected[it.key()] = std::max(expected.value(it.key()), it.value());
        QList<QByteArray> expectedKeys;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            for (int n = 0; n < it.value(); ++n)
                expectedKeys.append(it.key());
        std::sort(expectedKeys.begin(), expectedKeys.end());
        ASSERT_EQ(keys(*store), expectedKeys) << input.toStdString();
        ASSERT_EQ(restored.added, int(expectedKeys.size() - before.size()));
        // A second restore of the same file adds nothing.
        ASSERT_EQ(ChoreBackup::restore(*store, input).added, 0) << input.toStdString();
        if (store->chores().size() > 200)
            wipe(*store);
    }
    // What is in memory is what is on disk.
    const QList<QByteArray> held = keys(*store);
    store.reset();
    EXPECT_EQ(keys(*openStore()), held);
    EXPECT_GT(runs, 100);
    EXPECT_GT(accepted, 0);
    std::printf("backup fuzz: %d inputs, %d restored\n", runs, accepted);
}

} // namespace
