#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace velmora {

bool installQtTranslations()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    // qt_fr gathers the catalogues of every Qt module that has one.
    if (!translator->load(QStringLiteral("qt_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace velmora
