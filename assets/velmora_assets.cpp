#include "velmora_assets.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initVelmoraAssetsResource()
{
    Q_INIT_RESOURCE(velmora_assets);
}

void velmoraInitAssets()
{
    initVelmoraAssetsResource();
}
