#pragma once

#include "Velmora/Notifications/NotificationRequest.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace Velmora {

// notifications.sqlite beside the store: the pending reminders, and the minute each identifier
// last rang at (or passed unseen). Its tables are those every earlier version wrote, so a user's
// file keeps working. A file that cannot be opened keeps nothing, and every call is then a no-op.
class ReminderFile {
public:
    // An empty path opens nothing.
    explicit ReminderFile(const QString &path);
    ~ReminderFile();
    Q_DISABLE_COPY_MOVE(ReminderFile)

    bool isOpen() const { return m_open; }

    // In the order they were stored; rows that name no real minute are erased for good.
    QList<NotificationRequest> pending();
    // What rang from the day before today on; older marks are of no use and erased.
    QHash<QString, NotificationTrigger> rung(QDate today);

    // False when it could not be written (a full disk): the request then lives in memory only.
    bool store(const NotificationRequest &request);
    void erase(const QString &identifier);
    void markRung(const QString &identifier, const NotificationTrigger &trigger);

private:
    bool open(const QString &path);

    QString m_connection;
    bool m_open = false;
};

} // namespace Velmora
