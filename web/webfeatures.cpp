#include "web/webfeatures.h"

#include "render/render_service.h"
#include "ui/frmmain.h"
#include "ui/widgets.h"
#include "ui/windows.h"
#include "velmora_config.h"
#include "web/addresses.h"
#include "web/frmabout.h"
#include "web/frmbrowser.h"

#include <QPushButton>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace velmora {

WebFeatures::WebFeatures(FrmMain &main) : QObject(&main), m_main(main)
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

FrmBrowser *WebFeatures::browserWindow() const { return m_browser; }
FrmAbout *WebFeatures::aboutWindow() const { return m_about; }

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

FrmBrowser *WebFeatures::obtainBrowser()
{
    if (!m_browser) {
        if (!m_profile)
            m_profile = new QWebEngineProfile(this); // off the record: nothing on disk
        // Loading the window shows it and lays it out; it opens no page.
        m_browser = new FrmBrowser(m_profile);
        m_browser->show();
    }
    return m_browser;
}

void WebFeatures::openPage(const QString &address)
{
    FrmBrowser *browser = obtainBrowser();
    if (address.isEmpty()) {
        // The embedded service could not start: say so in the window.
        browser->brwWebBrowser()->setHtml(QStringLiteral(
            "<!DOCTYPE html><html lang=\"fr\"><head><meta charset=\"utf-8\"><title>Service indisponible</title></head>"
            "<body><h1>Service indisponible</h1><p>Le service de rendu de VelmoraWin n'a pas pu démarrer : "
            "les codes en images ne peuvent pas être affichés pour le moment.</p></body></html>"));
    } else {
        browser->Navigate(address);
    }
    browser->show();
    browser->raise();
    browser->activateWindow();
}

void WebFeatures::cmdCodeGatoClick()
{
    const QString message = FrmMain::messageText(m_main.txtCodeGato());
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : codePageAddress(base, PictureCode::Gato, message));
}

void WebFeatures::cmdCodeMClick()
{
    const QString message = FrmMain::messageText(m_main.Text2());
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : codePageAddress(base, PictureCode::Mers, message));
}

void WebFeatures::cmdCodeSClick()
{
    const QString message = FrmMain::messageText(m_main.txtCodeSema());
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : codePageAddress(base, PictureCode::Semaphore, message));
}

void WebFeatures::cwebImClick()
{
    const QString base = siteBase();
    openPage(base.isEmpty() ? QString() : siteHomeAddress(base));
}

void WebFeatures::writeImClick()
{
    const QString base = siteBase();
    openPage(base.isEmpty() ? QString() : siteContactAddress(base));
}

void WebFeatures::AboutImClick()
{
    if (!m_about) {
        m_about = new FrmAbout(QStringLiteral(VELMORA_SITE_ADDRESS));
        connect(m_about->lblVersion(), &QAbstractButton::clicked, this, &WebFeatures::lblVersionClick);
        centreWindow(m_about);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void WebFeatures::lblVersionClick()
{
    const QString base = renderBase();
    openPage(base.isEmpty() ? QString() : versionPageAddress(base));
}

WebFeatures *attachWebFeatures(FrmMain &main)
{
    if (auto *existing = main.findChild<WebFeatures *>(QStringLiteral("webFeatures"), Qt::FindDirectChildrenOnly))
        return existing;
    auto *features = new WebFeatures(main);
    QObject::connect(main.cmdCodeGato(), &QPushButton::clicked, features, &WebFeatures::cmdCodeGatoClick);
    QObject::connect(main.cmdCodeM(), &QPushButton::clicked, features, &WebFeatures::cmdCodeMClick);
    QObject::connect(main.cmdCodeS(), &QPushButton::clicked, features, &WebFeatures::cmdCodeSClick);
    QObject::connect(main.cwebIm(), &QAbstractButton::clicked, features, &WebFeatures::cwebImClick);
    QObject::connect(main.writeIm(), &QAbstractButton::clicked, features, &WebFeatures::writeImClick);
    QObject::connect(main.AboutIm(), &QAbstractButton::clicked, features, &WebFeatures::AboutImClick);
    return features;
}

} // namespace velmora
