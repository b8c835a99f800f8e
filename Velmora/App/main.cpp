// The program's entry; the launcher does the rest.
#include "Velmora/App/Launcher.h"
#include "i18n/Translations.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    Velmora::Launcher::prepareProcess(argc, argv);
    QGuiApplication application(argc, argv);
    // The catalogues are compiled into the program (i18n/), not into the core.
    Velmora::installTranslations(application, QLocale());
    return Velmora::Launcher(application).run();
}
