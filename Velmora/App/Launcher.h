#pragma once

class QGuiApplication;

namespace Velmora {

// The program's start: reads the command line, hands the start over to a running app or becomes
// the one, and builds the app, its window and its tray, until the app quits.
class Launcher {
public:
    // Before the application exists, which picks its platform: what this process writes is its
    // user's alone, and a run that shows no window needs no display.
    static void prepareProcess(int argc, char *argv[]);

    explicit Launcher(QGuiApplication &application);
    // The program's exit code.
    int run();

private:
    QGuiApplication &m_application;
};

} // namespace Velmora
