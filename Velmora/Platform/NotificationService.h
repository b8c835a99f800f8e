#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

namespace Velmora {

// A calendar trigger: fires once when the local wall clock reaches this minute.
struct NotificationTrigger {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    QDate date() const { return QDate(year, month, day); }
    bool isValid() const { return date().isValid() && QTime::isValid(hour, minute, 0); }
    // Whether the local wall-clock moment at has reached the trigger's minute.
    bool isDueAt(QDate atDate, QTime atTime) const;
    friend bool operator==(const NotificationTrigger &, const NotificationTrigger &) = default;
};

struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;
    bool defaultSound = true;
    NotificationTrigger trigger;
    friend bool operator==(const NotificationRequest &, const NotificationRequest &) = default;
};

struct NotificationSettings {
    enum AuthorizationStatus { NotDetermined = 0, Denied = 1, Authorized = 2 };
    int authorizationStatus = NotDetermined;
    friend bool operator==(const NotificationSettings &, const NotificationSettings &) = default;
};

// The platform's local-notification centre. Callbacks are called exactly once, never from
// inside the call that was given them, on whichever thread the implementation chooses.
class NotificationService {
public:
    virtual ~NotificationService() = default;

    virtual void requestAuthorization(std::function<void()> done) = 0;
    virtual void fetchSettings(std::function<void(NotificationSettings)> done) = 0;
    // Replaces a pending request with the same identifier. Requests with invalid triggers are dropped.
    virtual void add(const NotificationRequest &request) = 0;
    // Unknown identifiers are ignored.
    virtual void removePendingRequests(const QStringList &identifiers) = 0;
    virtual QList<NotificationRequest> pendingRequests() const = 0;

    // The process-wide service: the installed one, else an in-memory one. Main thread only.
    static NotificationService &current();
    // Not owned; nullptr restores the in-memory service.
    static void install(NotificationService *service);
};

// Keeps requests in memory and answers with a settable status (tests, and the default).
class FakeNotificationService final : public NotificationService {
public:
    void requestAuthorization(std::function<void()> done) override;
    void fetchSettings(std::function<void(NotificationSettings)> done) override;
    void add(const NotificationRequest &request) override;
    void removePendingRequests(const QStringList &identifiers) override;
    QList<NotificationRequest> pendingRequests() const override { return m_pending; }

    // The status the next fetch reports; a request for authorization turns NotDetermined
    // into statusAfterRequest.
    int status = NotificationSettings::NotDetermined;
    int statusAfterRequest = NotificationSettings::Authorized;
    // When set, callbacks are run on this instead of the caller's event loop (e.g. a worker thread).
    std::function<void(std::function<void()>)> runCallback;
    int authorizationRequests = 0;
    int settingsFetches = 0;

private:
    void later(std::function<void()> work);
    QList<NotificationRequest> m_pending;
};

// Replaces the process-wide service for the lifetime of the guard (tests).
class ScopedNotificationService {
public:
    explicit ScopedNotificationService(NotificationService &service) { NotificationService::install(&service); }
    ~ScopedNotificationService() { NotificationService::install(nullptr); }
    ScopedNotificationService(const ScopedNotificationService &) = delete;
    ScopedNotificationService &operator=(const ScopedNotificationService &) = delete;
};

} // namespace Velmora
