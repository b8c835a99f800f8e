// The program's entry; the launcher does the rest.
#include "Velmora/App/Launcher.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    Velmora::Launcher::prepareProcess(argc, argv);
    QGuiApplication application(argc, argv);
    return Velmora::Launcher(application).run();
}
