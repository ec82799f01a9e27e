#include "web/webfeatures.h"

#include "render/render_service.h"
#include "ui/mainwindow.h"
#include "ui/widgets.h"
#include "ui/placement.h"
#include "velmora_config.h"
#include "web/addresses.h"
#include "web/aboutwindow.h"
#include "web/browserwindow.h"

#include <QPushButton>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace velmora {

WebFeatures::WebFeatures(MainWindow &main) : QObject(&main), m_main(main)
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

BrowserWindow *WebFeatures::browserWindow() const { return m_browser; }
AboutWindow *WebFeatures::aboutWindow() const { return m_about; }

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

void WebFeatures::codeGato()
{
    const QString message = MainWindow::messageText(m_main.gatoMessageBox());
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : codePageAddress(base, PictureCode::Gato, message));
}

void WebFeatures::codeMers()
{
    const QString message = MainWindow::messageText(m_main.mersMessageBox());
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : codePageAddress(base, PictureCode::Mers, message));
}

void WebFeatures::codeSemaphore()
{
    const QString message = MainWindow::messageText(m_main.semaphoreMessageBox());
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : codePageAddress(base, PictureCode::Semaphore, message));
}

void WebFeatures::openSite()
{
    const QString base = siteBase();
    openPage(base.isEmpty() ? QString() : siteHomeAddress(base));
}

void WebFeatures::openContact()
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
    auto *features = new WebFeatures(main);
    QObject::connect(main.gatoCodeButton(), &QPushButton::clicked, features, &WebFeatures::codeGato);
    QObject::connect(main.mersCodeButton(), &QPushButton::clicked, features, &WebFeatures::codeMers);
    QObject::connect(main.semaphoreCodeButton(), &QPushButton::clicked, features, &WebFeatures::codeSemaphore);
    QObject::connect(main.siteIcon(), &QAbstractButton::clicked, features, &WebFeatures::openSite);
    QObject::connect(main.contactIcon(), &QAbstractButton::clicked, features, &WebFeatures::openContact);
    QObject::connect(main.aboutIcon(), &QAbstractButton::clicked, features, &WebFeatures::showAbout);
    return features;
}

} // namespace velmora
