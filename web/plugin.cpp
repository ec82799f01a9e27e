// The web features as a Qt plugin that the program loads at the first web
// feature used, so the web engine costs nothing at start-up.
#include "web/webfeatures.h"
#include "web/webfeaturesinterface.h"

#include <QObject>
#include <QtPlugin>

namespace velmora {

class WebModule : public QObject, public WebModuleInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VelmoraWebModuleInterface_iid)
    Q_INTERFACES(velmora::WebModuleInterface)
public:
    WebFeaturesInterface *attachTo(MainWindow &main) override { return attachWebFeatures(main); }
};

} // namespace velmora

#include "plugin.moc"
