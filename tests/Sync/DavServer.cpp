#include "tests/Sync/DavServer.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

namespace VelmoraTest {

namespace {

quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

bool answers(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(200);
}

} // namespace

const char *name(DavServer::Kind kind)
{
    return kind == DavServer::Kind::Radicale ? "Radicale" : "Xandikos";
}

DavServer::DavServer(Kind kind)
    : m_kind(kind)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

DavServer::~DavServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool DavServer::start()
{
    // Started again after kill(): the same address and folder, as a server back from a crash.
    if (m_port == 0)
        m_port = freePort();
    const QString storage = m_dir.filePath(QStringLiteral("storage"));
    if (m_kind == Kind::Radicale) {
        const QString users = m_dir.filePath(QStringLiteral("users"));
        QFile file(users);
        if (!file.open(QIODevice::WriteOnly)) {
            m_error = QStringLiteral("cannot write the user file");
            return false;
        }
        file.write(QByteArray(user) + ':' + password + '\n');
        file.close();
        // Debian's interpreter, beside Debian's packages, whatever python3 is first on PATH.
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"), QString(),
                         QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(m_port),
                         QStringLiteral("--storage-filesystem-folder"), storage,
                         QStringLiteral("--auth-type"), QStringLiteral("htpasswd"),
                         QStringLiteral("--auth-htpasswd-filename"), users,
                         QStringLiteral("--auth-htpasswd-encryption"), QStringLiteral("plain")});
    } else {
        m_process.start(QStringLiteral("xandikos"), {QStringLiteral("--defaults"), QStringLiteral("-d"), storage,
                                                     QStringLiteral("-l"), QStringLiteral("127.0.0.1"),
                                                     QStringLiteral("-p"), QString::number(m_port)});
    }
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    if (!waitFor([this] { return m_process.state() != QProcess::Running || answers(m_port); }, 20000)
        || m_process.state() != QProcess::Running) {
        m_error = QString::fromLocal8Bit(m_process.readAll());
        return false;
    }
    return true;
}

QUrl DavServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port));
}

void DavServer::kill()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

} // namespace VelmoraTest
