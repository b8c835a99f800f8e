#pragma once

#include "tests/support/TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

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

    explicit DavServer(Kind kind);
    ~DavServer();

    // Starts it and waits until it answers; false with error() otherwise.
    bool start();
    QString error() const { return m_error; }

    Kind kind() const { return m_kind; }
    QUrl url() const;
    // Xandikos has no accounts: any user name and password pass.
    static constexpr char user[] = "chores";
    static constexpr char password[] = "s3cret pass";

    void kill();

private:
    Kind m_kind;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

const char *name(DavServer::Kind kind);

} // namespace VelmoraTest
