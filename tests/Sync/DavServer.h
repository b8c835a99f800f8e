#pragma once

#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

// Strings in failure messages as text.
inline std::ostream &operator<<(std::ostream &out, const QString &s) { return out << s.toStdString(); }

namespace VelmoraTest {

// Runs one asynchronous call to its answer; a call that never answers fails the test.
template <typename Result, typename Call>
Result await(Call call, int timeoutMs = 30000)
{
    std::optional<Result> result;
    call([&result](Result r) { result = std::move(r); });
    EXPECT_TRUE(waitFor([&] { return result.has_value(); }, timeoutMs)) << "no answer";
    return result.value_or(Result{});
}

// A real CalDAV server of its own on 127.0.0.1 with a throwaway folder, stopped with the object.
class DavServer {
public:
    enum class Kind { Radicale, Xandikos };
    // Xandikos has no accounts: any user name and password pass.
    static constexpr char user[] = "chores";
    static constexpr char password[] = "s3cret pass";

    explicit DavServer(Kind kind) : m_kind(kind) { m_process.setProcessChannelMode(QProcess::MergedChannels); }
    ~DavServer() { kill(); }

    // Starts it and waits until it answers; false with error() otherwise. Started again after
    // kill(), it has the same address and folder, as a server back from a crash.
    bool start()
    {
        m_error.clear();
        if (m_port == 0) {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            m_port = probe.serverPort();
        }
        const QString storage = m_dir.filePath(QStringLiteral("storage"));
        const QString users = m_dir.filePath(QStringLiteral("users"));
        QByteArray lines;
        for (const QByteArray &name : m_users)
            lines += name + ':' + password + '\n';
        QFile file(users);
        if (!file.open(QIODevice::WriteOnly) || file.write(lines) < 0) {
            m_error = file.errorString();
            return false;
        }
        file.close();
        // Radicale reads its rights file at every request: setRights() later changes them at once.
        QStringList rights;
        if (!m_rights.isEmpty())
            rights = {QStringLiteral("--rights-type"), QStringLiteral("from_file"), QStringLiteral("--rights-file"),
                      rightsFile()};
        // Radicale under Debian's interpreter, beside Debian's packages, whatever python3 is first on PATH.
        if (m_kind == Kind::Radicale) {
            m_process.start(QStringLiteral("/usr/bin/python3"),
                            QStringList{QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"), QString(),
                             QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(m_port),
                             QStringLiteral("--storage-filesystem-folder"), storage,
                             QStringLiteral("--auth-type"), QStringLiteral("htpasswd"),
                             QStringLiteral("--auth-htpasswd-filename"), users,
                             QStringLiteral("--auth-htpasswd-encryption"), QStringLiteral("plain")}
                                + rights);
        } else {
            m_process.start(QStringLiteral("xandikos"),
                            {QStringLiteral("--defaults"), QStringLiteral("-d"), storage, QStringLiteral("-l"),
                             QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(m_port)});
        }
        const auto answers = [this] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            return socket.waitForConnected(200);
        };
        if (!m_process.waitForStarted(5000))
            m_error = m_process.errorString();
        else if (!waitFor([&] { return m_process.state() != QProcess::Running || answers(); }, 20000)
                 || m_process.state() != QProcess::Running)
            m_error = QStringLiteral("no answer: ") + QString::fromLocal8Bit(m_process.readAll());
        return m_error.isEmpty();
    }
    QString error() const { return m_error; }

    // More accounts beside user, each with the same password; before start().
    void addUser(const QByteArray &name) { m_users.append(name); }
    // Radicale's rights file (its from_file rules) instead of each user owning their own; the first
    // call goes before start().
    bool setRights(const QByteArray &rules)
    {
        m_rights = rules;
        return writeAll(rightsFile(), rules);
    }

    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }

    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    QString rightsFile() const { return m_dir.filePath(QStringLiteral("rights")); }

    Kind m_kind;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
    QList<QByteArray> m_users{user};
    QByteArray m_rights;
};

} // namespace VelmoraTest
