#include "web/frmbrowser.h"

#include "ui/cursors.h"
#include "ui/pictures.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace velmora {

QString FrmBrowser::designCaption()
{
    return QString(116, u' ') + QStringLiteral("VelmoraWin - Navigateur");
}

FrmBrowser::FrmBrowser(QWebEngineProfile *profile, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    ensureUiResources();
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(designCaption());
    setAccessibleName(QStringLiteral("VelmoraWin - Navigateur"));
    // Closed by its close box, the window and its page are discarded; the next
    // page opened builds a new one. It never keeps the program running.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);

    // Client area 12570 x 9300 twips, 3045 twips from the left and 3315 from
    // the top of the screen.
    const QSize client = twipsSize(12570, 9300);
    setFixedSize(client);
    QPoint origin(twipsToPixels(3045), twipsToPixels(3315));
    if (QScreen *screen = QGuiApplication::primaryScreen())
        origin += screen->geometry().topLeft();
    setGeometry(QRect(origin, client));

    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(QStringLiteral("brwWebBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Page web"));
    m_browser->setPage(new QWebEnginePage(profile, m_browser));
    m_browser->setGeometry(twipsRect(120, 960, 12120, 8160));

    m_close = new ImageButton(picturePath(QStringLiteral("cmd-close.svg")), QStringLiteral("Fermer"), this);
    m_close->setObjectName(QStringLiteral("Image1"));
    m_close->setGeometry(twipsRect(5760, 0, 915, 915));
    m_close->setCursor(velmoraCursor(VelmoraCursor::Forbidden));
    connect(m_close, &ImageButton::clicked, this, [this] {
        repaint();
        hide(); // the window stays, with its page
    });

    // The title follows the page: when its download completes and when a
    // navigation completes (and when the page names itself later).
    connect(m_browser, &QWebEngineView::loadFinished, this, &FrmBrowser::followLocationName);
    connect(m_browser, &QWebEngineView::urlChanged, this, &FrmBrowser::followLocationName);
    connect(m_browser, &QWebEngineView::titleChanged, this, &FrmBrowser::followLocationName);
}

void FrmBrowser::Navigate(const QString &address)
{
    m_browser->load(QUrl(address, QUrl::StrictMode));
}

QString FrmBrowser::LocationName() const
{
    const QString title = m_browser->title();
    if (!title.isEmpty())
        return title;
    return m_browser->url().toString();
}

void FrmBrowser::followLocationName()
{
    // Before the first page reports anything there is no name yet: the
    // caption stays as it is.
    const QString name = LocationName();
    if (!name.isEmpty())
        setWindowTitle(name);
}

void FrmBrowser::resizeLayout()
{
    // The view is as wide as the client area less 100 twips; its left, top
    // and height stay as designed.
    const int clientTwips = width() * kTwipsPerPixel;
    m_browser->resize(twipsToPixels(clientTwips - 100), m_browser->height());
}

void FrmBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    resizeLayout();
}

void FrmBrowser::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
}

} // namespace velmora
