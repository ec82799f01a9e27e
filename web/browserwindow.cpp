#include "web/browserwindow.h"

#include "ui/cursors.h"
#include "ui/pictures.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace velmora {

QString BrowserWindow::designCaption()
{
    return QString(116, u' ') + QStringLiteral("VelmoraWin - Navigateur");
}

BrowserWindow::BrowserWindow(QWebEngineProfile *profile, QWidget *parent)
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

    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));
    m_view->setAccessibleName(QStringLiteral("Page web"));
    m_view->setPage(new QWebEnginePage(profile, m_view));
    m_view->setGeometry(twipsRect(120, 960, 12120, 8160));

    m_closeButton = new ImageButton(picturePath(QStringLiteral("cmd-close.svg")), QStringLiteral("Fermer"), this);
    m_closeButton->setObjectName(QStringLiteral("Image1"));
    m_closeButton->setGeometry(twipsRect(5760, 0, 915, 915));
    m_closeButton->setCursor(velmoraCursor(VelmoraCursor::Forbidden));
    // The close picture has no tooltip; a screen reader still names it.
    m_closeButton->setToolTip(QString());
    connect(m_closeButton, &ImageButton::clicked, this, [this] {
        repaint();
        hide(); // the window stays, with its page
    });
    // Escape does what the close picture does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, m_closeButton,
            &QAbstractButton::click);

    // The title follows the page: when its download completes and when a
    // navigation completes (and when the page names itself later).
    connect(m_view, &QWebEngineView::loadFinished, this, &BrowserWindow::followLocationName);
    connect(m_view, &QWebEngineView::urlChanged, this, &BrowserWindow::followLocationName);
    connect(m_view, &QWebEngineView::titleChanged, this, &BrowserWindow::followLocationName);
}

void BrowserWindow::navigate(const QString &address)
{
    m_view->load(QUrl(address, QUrl::StrictMode));
}

QString BrowserWindow::locationName() const
{
    const QString title = m_view->title();
    if (!title.isEmpty())
        return title;
    return m_view->url().toString();
}

void BrowserWindow::followLocationName()
{
    // Before the first page reports anything there is no name yet: the
    // caption stays as it is.
    const QString name = locationName();
    if (!name.isEmpty())
        setWindowTitle(name);
}

void BrowserWindow::resizeLayout()
{
    // The view is as wide as the client area less 100 twips; its left, top
    // and height stay as designed.
    const int clientTwips = width() * kTwipsPerPixel;
    m_view->resize(twipsToPixels(clientTwips - 100), m_view->height());
}

void BrowserWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    resizeLayout();
}

void BrowserWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
}

} // namespace velmora
