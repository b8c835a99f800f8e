#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

namespace Velmora {

class NearestChores;
class WidgetCenter;

// The home-screen widget's side of the app: the file it reads (the nearest chores as JSON) and
// when its host is told to reload: on leaving the window, and after each change while no window
// shows, as then nobody leaves it.
class WidgetSnapshot : public QObject {
    Q_OBJECT
public:
    // center: null means our own, which writes the file at path.
    WidgetSnapshot(NearestChores &nearest, WidgetCenter *center, const QString &path, QObject *parent = nullptr);
    ~WidgetSnapshot() override;

    QByteArray json(int limit = 8) const;
    // The user left the app.
    void reload();
    void setWindowShown(bool shown) { m_windowShown = shown; }

private:
    NearestChores &m_nearest;
    std::unique_ptr<WidgetCenter> m_ownCenter;
    WidgetCenter *m_center;
    bool m_windowShown = false;
};

} // namespace Velmora
