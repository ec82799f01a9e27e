#include "web/webfeatures.h"

#include "render/render_service.h"
#include "ui/mainwindow.h"
#include "ui/placement.h"
#include "ui/widgets.h"
#include "velmora_config.h"
#include "web/aboutwindow.h"
#include "web/addresses.h"
#include "web/browserwindow.h"

#include <QAbstractButton>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace velmora {

WebFeatures::WebFeatures(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("webFeatures"));
}

WebFeatures::~WebFeatures()
{
    // The pages go before the profile they live in, and the service last.
    delete m_browser;
    delete m_about;
    delete m_profile;
}

BrowserWindow *WebFeatures::browserWindow() const
{
    return m_browser;
}
AboutWindow *WebFeatures::aboutWindow() const
{
    return m_about;
}

QString WebFeatures::embeddedBase()
{
    if (!m_service)
        m_service = std::make_unique<RenderService>();
    return m_service->isRunning() ? m_service->baseUrl() : QString();
}

QString WebFeatures::renderBase()
{
    const QString host = QStringLiteral(VELMORA_RENDER_HOST);
    return host.isEmpty() ? embeddedBase() : QStringLiteral("http://") + host;
}

QString WebFeatures::siteBase()
{
    const QString host = QStringLiteral(VELMORA_SITE_HOST);
    return host.isEmpty() ? embeddedBase() : QStringLiteral("http://") + host;
}

BrowserWindow *WebFeatures::obtainBrowser()
{
    if (!m_browser) {
        if (!m_profile)
            m_profile = new QWebEngineProfile(this); // off the record: nothing on disk
        // Loading the window shows it and lays it out; it opens no page.
        m_browser = new BrowserWindow(m_profile);
        m_browser->show();
    }
    return m_browser;
}

void WebFeatures::openPage(const QString &address)
{
    BrowserWindow *browser = obtainBrowser();
    if (address.isEmpty()) {
        // The embedded service could not start: say so in the window.
        browser->view()->setHtml(QStringLiteral(
            "<!DOCTYPE html><html lang=\"fr\"><head><meta charset=\"utf-8\"><title>Service indisponible</title></head>"
            "<body><h1>Service indisponible</h1><p>Le service de rendu de VelmoraWin n'a pas pu démarrer : "
            "les codes en images ne peuvent pas être affichés pour le moment.</p></body></html>"));
    } else {
        browser->navigate(address);
    }
    browser->show();
    browser->raise();
    browser->activateWindow();
}

void WebFeatures::showPictureCode(PictureCode code, const QString &message)
{
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : codePageAddress(base, code, message));
}

void WebFeatures::openSitePage()
{
    const QString base = siteBase();
    openPage(base.isEmpty() ? QString() : siteHomeAddress(base));
}

void WebFeatures::openContactPage()
{
    const QString base = siteBase();
    openPage(base.isEmpty() ? QString() : siteContactAddress(base));
}

void WebFeatures::showAbout()
{
    if (!m_about) {
        m_about = new AboutWindow(QStringLiteral(VELMORA_SITE_ADDRESS));
        connect(m_about->updateCheckLink(), &QAbstractButton::clicked, this, &WebFeatures::openVersionPage);
        centreWindow(m_about);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void WebFeatures::openVersionPage()
{
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : versionPageAddress(base));
}

WebFeatures *attachWebFeatures(MainWindow &main)
{
    if (auto *existing = main.findChild<WebFeatures *>(QStringLiteral("webFeatures"), Qt::FindDirectChildrenOnly))
        return existing;
    auto *features = new WebFeatures(&main);
    QObject::connect(&main, &MainWindow::pictureCodeRequested, features, &WebFeatures::showPictureCode);
    QObject::connect(&main, &MainWindow::sitePageRequested, features, &WebFeatures::openSitePage);
    QObject::connect(&main, &MainWindow::contactPageRequested, features, &WebFeatures::openContactPage);
    QObject::connect(&main, &MainWindow::aboutRequested, features, &WebFeatures::showAbout);
    return features;
}

} // namespace velmora
