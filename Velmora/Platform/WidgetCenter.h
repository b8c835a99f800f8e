#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace Velmora {

// The widget host: asked to rebuild every widget of the app when the user leaves it.
class WidgetCenter {
public:
    virtual ~WidgetCenter() = default;
    virtual void reloadAllTimelines() = 0;
};

// Our widget host writes a snapshot of the nearest chores beside the store; a widget program
// watches that file. The file is replaced whole (write, then rename), so a reader never sees
// half of it.
class SnapshotWidgetCenter final : public WidgetCenter {
public:
    SnapshotWidgetCenter(QString path, std::function<QByteArray()> snapshot)
        : m_path(std::move(path)), m_snapshot(std::move(snapshot)) {}
    void reloadAllTimelines() override;
    QString path() const { return m_path; }

private:
    QString m_path;
    std::function<QByteArray()> m_snapshot;
};

} // namespace Velmora
