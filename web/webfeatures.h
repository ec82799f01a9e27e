// The web features of the program: the three picture codes, the two links to
// the product's site, and the about window with its update check. They
// attach themselves to the main window's buttons; the main window knows
// nothing of them.
#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class QWebEngineProfile;

namespace velmora {

class AboutWindow;
class BrowserWindow;
class MainWindow;
class RenderService;

class WebFeatures : public QObject
{
    Q_OBJECT
public:
    explicit WebFeatures(MainWindow &main);
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

public slots:
    void codeGato();
    void codeMers();
    void codeSemaphore();
    void openSite();
    void openContact();
    void showAbout();
    void openVersionPage();

private:
    BrowserWindow *obtainBrowser();
    void openPage(const QString &address);
    QString embeddedBase();

    MainWindow &m_main;
    std::unique_ptr<RenderService> m_service;
    QWebEngineProfile *m_profile = nullptr;
    QPointer<BrowserWindow> m_browser;
    QPointer<AboutWindow> m_about;
};

// Makes the web features (owned by the main window) and connects them to
// its buttons.
WebFeatures *attachWebFeatures(MainWindow &main);

} // namespace velmora
