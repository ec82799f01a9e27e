#include "ui/modules.h"

#include <QCoreApplication>
#include <QDir>

namespace velmora {

namespace {

QStringList &chosenDirectories()
{
    static QStringList directories;
    return directories;
}

} // namespace

void setModuleDirectories(const QStringList &directories)
{
    chosenDirectories() = directories;
}

QStringList moduleDirectories()
{
    if (!chosenDirectories().isEmpty())
        return chosenDirectories();
    const QString here = QCoreApplication::applicationDirPath();
    return {here, QDir(here).filePath(QStringLiteral(VELMORA_MODULE_DIR_FROM_PROGRAM)),
            QStringLiteral(VELMORA_MODULE_DIR)};
}

} // namespace velmora
