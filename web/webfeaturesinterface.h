// The contract between the program and its web module. The module is a Qt
// plugin whose root object implements WebModuleInterface; the program loads
// it at the first web feature the user asks for, checks the interface with
// qobject_cast, and from then on talks to the web features only through
// WebFeaturesInterface. Nothing here needs the web engine, so the program
// includes this header without carrying it.
#pragma once

#include "ui/picturecode.h"

#include <QtPlugin>

class QString;

namespace velmora {

class MainWindow;

// What the main window's web buttons ask for: each function answers one of
// MainWindow's request signals, with the same arguments.
class WebFeaturesInterface
{
public:
    virtual ~WebFeaturesInterface() = default;

    // The page of a picture code for MESSAGE (the message box's whole text,
    // CR LF line breaks), in the browser window.
    virtual void showPictureCode(PictureCode code, const QString &message) = 0;
    // The product site's home page and its contact page, in the browser window.
    virtual void openSitePage() = 0;
    virtual void openContactPage() = 0;
    // The about window.
    virtual void showAbout() = 0;
};

// The module's root object.
class WebModuleInterface
{
public:
    virtual ~WebModuleInterface() = default;

    // The web features of MAIN, made at the first call (owned by MAIN, gone
    // with it) and connected to its request signals; later calls return the
    // same features.
    virtual WebFeaturesInterface *attachTo(MainWindow &main) = 0;
};

} // namespace velmora

// Raise the version when either interface changes: a module built against
// another one is then refused at load instead of being called wrongly.
#define VelmoraWebModuleInterface_iid "org.velmorawin.VelmoraWin.WebModule/1"
Q_DECLARE_INTERFACE(velmora::WebModuleInterface, VelmoraWebModuleInterface_iid)
