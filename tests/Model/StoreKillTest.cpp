#include "StoreFixture.h"

#include <QProcess>

#include <csignal>

using namespace Velmora;

namespace {

class StoreKillTest : public StoreFixture {};

// A killed process loses nothing it had already reported as written.
TEST_F(StoreKillTest, KilledMidStreamLosesNothingShown)
{
    openStore(); // create the file first, as the app would have
    for (int round = 0; round < 3; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(STORE_WRITER), {storePath()});
        ASSERT_TRUE(writer.waitForStarted());
        QList<QPair<qint64, int>> shown;
        const int target = 200 + round * 150;
        while (shown.size() < target && writer.state() == QProcess::Running) {
            writer.waitForReadyRead(2000);
            while (writer.canReadLine()) {
                const QList<QByteArray> parts = writer.readLine().trimmed().split(' ');
                ASSERT_EQ(parts.size(), 2);
                shown.append({parts[0].toLongLong(), parts[1].toInt()});
            }
        }
        ::kill(pid_t(writer.processId()), SIGKILL);
        writer.waitForFinished();
        ASSERT_GE(shown.size(), target);

        auto store = openStore();
        for (const auto &[id, i] : shown) {
            const Chore *chore = store->chore(id);
            ASSERT_NE(chore, nullptr) << "chore " << i << " of round " << round << " was lost";
            EXPECT_EQ(chore->title(), QStringLiteral("chore %1").arg(i));
            EXPECT_EQ(chore->notificationTime(), i);
        }
    }
}

} // namespace
