#include "i18n/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace Velmora {

namespace {

// Marks our translator among the app's children, so a later call can find and replace it.
const QString kTranslatorName = QStringLiteral("taskarelloTranslations");

} // namespace

QTranslator *installTranslations(QCoreApplication &app, const QLocale &locale)
{
    if (auto *previous = app.findChild<QTranslator *>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(previous);
        delete previous;
    }
    auto *translator = new QTranslator(&app);
    translator->setObjectName(kTranslatorName);
    // Looks up :/i18n/taskarello_<language>.qm for each of the locale's UI languages in turn. With
    // none of them, English: the keys are English words, but only its catalogue knows "1 day".
    const auto load = [translator](const QLocale &wanted) {
        return translator->load(wanted, QStringLiteral("taskarello"), QStringLiteral("_"), QStringLiteral(":/i18n"));
    };
    if (!load(locale) && !load(QLocale(QLocale::English))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace Velmora
