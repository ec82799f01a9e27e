// The web features of the program: the three picture codes, the two links to
// the product's site, and the about window with its update check. They answer
// the main window's request signals; the main window knows nothing of them.
#pragma once

#include "web/webfeaturesinterface.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWebEngineProfile;

namespace velmora {

class AboutWindow;
class BrowserWindow;
class MainWindow;
class RenderService;

class WebFeatures : public QObject, public WebFeaturesInterface
{
    Q_OBJECT
public:
    explicit WebFeatures(QObject *parent = nullptr);
    ~WebFeatures() override;

    // The browser window while it exists (null before the first page and
    // after the user closed it), and the about window once made.
    BrowserWindow *browserWindow() const;
    AboutWindow *aboutWindow() const;
    // The embedded rendering service, once a web feature has started it.
    RenderService *renderService() const { return m_service.get(); }

    // "http://host[:port]" of the rendering server and of the product's site:
    // the configured hosts, or the embedded service, started on first use.
    QString renderBase();
    QString siteBase();

    // WebFeaturesInterface
    void showPictureCode(PictureCode code, const QString &message) override;
    void openSitePage() override;
    void openContactPage() override;
    void showAbout() override;

    // The update check of the about window.
    void openVersionPage();

private:
    BrowserWindow *obtainBrowser();
    void openPage(const QString &address);
    QString embeddedBase();

    std::unique_ptr<RenderService> m_service;
    QWebEngineProfile *m_profile = nullptr;
    QPointer<BrowserWindow> m_browser;
    QPointer<AboutWindow> m_about;
};

// The web features of MAIN: made at the first call (owned by MAIN) and
// connected to its request signals; later calls return the same ones.
WebFeatures *attachWebFeatures(MainWindow &main);

} // namespace velmora
