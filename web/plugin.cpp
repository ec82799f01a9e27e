// The web features as a module that the program loads at the first web
// feature used, so the web engine costs nothing at start-up.
#include "web/webfeatures.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT QObject *velmoraAttachWebFeatures(velmora::MainWindow *main)
{
    return main ? velmora::attachWebFeatures(*main) : nullptr;
}
