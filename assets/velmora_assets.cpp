#include "velmora_assets.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initVelmoraAssetsResource()
{
    Q_INIT_RESOURCE(velmora_assets);
    Q_INIT_RESOURCE(velmora_rasters);
}

void velmoraInitAssets()
{
    initVelmoraAssetsResource();
}
