#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtPlugin>

#include <memory>

namespace Velmora {

class VelmoraApp;

// The one window as the core sees it. Qt Quick, the QML engine and the screens behind it live on
// the window's side, a plugin loaded when a window is first wanted (WindowLoader).
class Window : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Builds the window if there is none, else raises it. False when the QML failed to load.
    virtual bool show() = 0;
    // As the user closing it: the window and its engine go.
    virtual void close() = 0;
    virtual bool isShown() const = 0;
    // Off for runs beside the app (a screenshot, a timing): they neither take nor leave the
    // user's window place, so neither depends on the other.
    virtual void setRemembersPlace(bool remembers) = 0;
    // Saves the shown window to a PNG once it has drawn, then quits: exit code 0 when written.
    virtual void captureAndQuit(const QString &path) = 0;
    // Ends the process at the first frame without tearing the scene down, so a timing from
    // outside measures start-up alone. Every change was written as it was made.
    virtual void quitAfterFirstFrame() = 0;

signals:
    void shownChanged(bool shown);
};

// What the window's plugin hands out.
class WindowFactory {
public:
    virtual ~WindowFactory() = default;
    // Starts beside the caller what the first window of mainQml needs and no app object does
    // (reading the fonts' configuration; loading and compiling its QML types, on the engine's
    // own thread), so it overlaps the store's opening.
    virtual void prepare(const QUrl &mainQml) = 0;
    // Lets go of what prepare() made and no window took; before the application object goes.
    virtual void unprepare() = 0;
    // The window's QML reaches the app, which outlives the window, as its singleton App.
    virtual std::unique_ptr<Window> create(const QUrl &mainQml, VelmoraApp &app) = 0;
};

} // namespace Velmora

#define VelmoraWindowFactory_iid "org.taskarello.Taskarello.WindowFactory/3"
Q_DECLARE_INTERFACE(Velmora::WindowFactory, VelmoraWindowFactory_iid)
