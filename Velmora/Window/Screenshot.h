#pragma once

#include <QObject>
#include <QString>

class QQuickWindow;

namespace Velmora {

// Saves a window to a PNG once it has drawn its first frames, then quits the application.
class Screenshot : public QObject {
    Q_OBJECT
public:
    // Exit code 0 when the file was written, 1 otherwise.
    static void captureAndQuit(QQuickWindow *window, const QString &path, int settleFrames = 3);
};

} // namespace Velmora
