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

class FrmAbout;
class FrmBrowser;
class FrmMain;
class RenderService;

class WebFeatures : public QObject
{
    Q_OBJECT
public:
    explicit WebFeatures(FrmMain &main);
    ~WebFeatures() override;

    // The browser window while it exists (null before the first page and
    // after the user closed it), and the about window once made.
    FrmBrowser *browserWindow() const;
    FrmAbout *aboutWindow() const;
    // The embedded rendering service, once a web feature has started it.
    RenderService *renderService() const { return m_service.get(); }

    // "http://host[:port]" of the rendering server and of the product's site:
    // the configured hosts, or the embedded service, started on first use.
    QString renderBase();
    QString siteBase();

public slots:
    void cmdCodeGatoClick();
    void cmdCodeMClick();
    void cmdCodeSClick();
    void cwebImClick();
    void writeImClick();
    void AboutImClick();
    void lblVersionClick();

private:
    FrmBrowser *obtainBrowser();
    void openPage(const QString &address);
    QString embeddedBase();

    FrmMain &m_main;
    std::unique_ptr<RenderService> m_service;
    QWebEngineProfile *m_profile = nullptr;
    QPointer<FrmBrowser> m_browser;
    QPointer<FrmAbout> m_about;
};

// Makes the web features (owned by the main window) and connects them to
// its buttons.
WebFeatures *attachWebFeatures(FrmMain &main);

} // namespace velmora
