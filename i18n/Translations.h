#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace Velmora {

// Installs the app's catalogue for the first of locale's UI languages that has one, replacing a
// catalogue installed by an earlier call. Returns the translator (owned by app), or nullptr when
// no language of locale has a catalogue: then the untranslated keys show.
QTranslator *installTranslations(QCoreApplication &app, const QLocale &locale);

} // namespace Velmora
