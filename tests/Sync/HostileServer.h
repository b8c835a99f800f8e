#pragma once

#include "tests/support/TestSupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUrl>

namespace VelmoraTest {

// hostile_dav.py, a deliberately bad CalDAV server, one --mode per test row and stopped with the object:
// a "main" origin (the user's server, https with --tls), an "other" one, and what each received.
class HostileServer {
public:
    struct Received {
        QString port, method, path; // port: "main" or "other"
        bool auth = false;          // an Authorization header came along
        bool tls = false;           // false on the https port: the client fell back to plain http
    };

    explicit HostileServer(QString mode, QStringList extraArgs = {})
        : m_args(QStringList{script(), QStringLiteral("--mode"), mode} + extraArgs),
          m_scheme(extraArgs.contains(QStringLiteral("--tls")) ? "https" : "http") {}
    ~HostileServer() { m_process.kill(); m_process.waitForFinished(5000); }

    // Starts it and waits for its ports; false when it never told them.
    bool start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel); // its errors in the test's output
        m_process.start(QStringLiteral("/usr/bin/python3"), m_args);
        waitFor([this] { return m_process.canReadLine() || m_process.state() == QProcess::NotRunning; }, 10000);
        const QList<QByteArray> words = m_process.readLine().trimmed().split(' ');
        m_main = words.size() == 3 && words[0] == "PORTS" ? words[1].toUShort() : 0;
        m_other = m_main ? words[2].toUShort() : 0;
        return m_main && m_other;
    }

    QUrl url(const QString &path = QStringLiteral("/")) const { return at(m_scheme, m_main, path); }
    QUrl otherUrl(const QString &path = QStringLiteral("/")) const { return at("http", m_other, path); }

    // Every request either origin has logged so far, in order of arrival.
    QList<Received> received()
    {
        // The server logs a request before it answers, so the line is in the pipe already.
        for (int i = 0; i < 1000 && m_process.waitForReadyRead(0); ++i) { }
        while (m_process.canReadLine()) {
            const QJsonObject line = QJsonDocument::fromJson(m_process.readLine()).object();
            m_received.append({line[u"port"].toString(), line[u"method"].toString(), line[u"path"].toString(),
                               line[u"auth"].toBool(), line[u"tls"].toBool()});
        }
        return m_received;
    }

    // Makes cert.pem and key.pem in folder, self-signed for 127.0.0.1: openssl req -x509 -newkey rsa:2048 -nodes
    //   -days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout key.pem -out cert.pem
    // Returns the arguments that give them to the server, {"--tls", cert, key}; empty on failure.
    static QStringList makeTlsPair(const QString &folder)
    {
        const QString cert = folder + QStringLiteral("/cert.pem"), key = folder + QStringLiteral("/key.pem");
        QStringList arguments = QStringLiteral("req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                                               "-addext subjectAltName=IP:127.0.0.1 -keyout").split(u' ');
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"), arguments << key << QStringLiteral("-out") << cert);
        if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0)
            return {};
        return {QStringLiteral("--tls"), cert, key};
    }

private:
#ifdef VELMORA_SOURCE_DIR
    static QString script() { return QStringLiteral(VELMORA_SOURCE_DIR "/tests/Sync/hostile_dav.py"); }
#else // beside this header, whose path the build gives in full
    static QString script() { return QDir::cleanPath(QString::fromUtf8(__FILE__ "/../hostile_dav.py")); }
#endif
    static QUrl at(const char *scheme, quint16 port, const QString &path)
    {
        return QUrl(QLatin1String(scheme) + QStringLiteral("://127.0.0.1:%1").arg(port) + path);
    }

    QStringList m_args;
    const char *m_scheme;
    QProcess m_process;
    quint16 m_main = 0, m_other = 0;
    QList<Received> m_received;
};

} // namespace VelmoraTest
