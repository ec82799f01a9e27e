#include "web/aboutwindow.h"

#include "ui/cursors.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QShortcut>

namespace velmora {

namespace {

// The system colour of inactive title bars has no palette role here; this
// is its classic value.
const QColor kInactiveTitleBar(191, 205, 219);

// A label whose long runs of blanks start a new line, as they do in the
// window's design: the text stays one string (what a screen reader reads and
// what text() gives), and each part between runs wraps on its own lines.
class BlankRunLabel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        static const QRegularExpression run(QStringLiteral(" {8,}"));
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect area = contentsRect();
        int y = area.top();
        const QStringList parts = text().split(run, Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            const QRect bounds = painter.boundingRect(QRect(area.left(), y, area.width(), 10000),
                                                      Qt::TextWordWrap | Qt::AlignLeft, part);
            painter.drawText(QRect(area.left(), y, area.width(), bounds.height()), Qt::TextWordWrap | Qt::AlignLeft,
                             part);
            y += bounds.height();
        }
    }
};

QLabel *makeLabel(const QString &name, const QString &text, const QColor &colour, const QRect &geometry,
                  QWidget *parent)
{
    auto *label = new BlankRunLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    label->setAccessibleName(text.simplified());
    return label;
}

// A button without a picture: a transparent hot spot over what lies below.
class HotSpot : public QAbstractButton
{
public:
    HotSpot(const QString &toolTip, QWidget *parent)
        : QAbstractButton(parent)
    {
        setToolTip(toolTip);
        setAccessibleName(toolTip);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override {}
};

} // namespace

QString AboutWindow::creditsText(const QString &siteAddress)
{
    // Runs of blanks, not line breaks, put each part on a line of its own
    // once the label wraps its words. "v. 3.0" is the about window's own
    // text, kept as designed: it is not the program's version (VELMORA_VERSION,
    // which the update check sends).
    return QStringLiteral("VelmoraWin v. 3.0") + QString(88, u' ') +
           QStringLiteral("Conçu et réalisé par l'équipe VelmoraWin, un logiciel qui code vos textes "
                          "en différents codes.") +
           QString(48, u' ') + QStringLiteral("Téléchargeable GRATUITEMENT depuis ") + siteAddress +
           QStringLiteral(" .") + QString(128, u' ') +
           QStringLiteral("~Le code source du logiciel est disponible sur simple demande~");
}

QString AboutWindow::licenceText()
{
    return QString(7, u' ') + QStringLiteral("Logiciel libre, distribué sous licence MIT.") + QString(53, u' ') +
           QStringLiteral("Aucune donnée n'est collectée ni enregistrée.") + QStringLiteral(" ");
}

AboutWindow::AboutWindow(const QString &siteAddress, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    ensureUiResources();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Acerca de Velmora"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_QuitOnClose, false); // hiding it never keeps the program running
    setFixedSize(twipsSize(5595, 3990));
    setFont(designFont(8.25));
    setCursor(velmoraCursor(VelmoraCursor::Ring));
    QPalette p = palette();
    p.setColor(QPalette::Window, kInactiveTitleBar);
    setPalette(p);

    m_banner = new PictureBox(picturePath(QStringLiteral("about-banner.svg")), QStringLiteral("Au Sujet De..."), this);
    m_banner->setObjectName(QStringLiteral("AboutIm"));
    m_banner->setGeometry(twipsRect(0, 0, 5595, 465));

    // A transparent hot spot over the banner's close mark: the only place
    // that hides the window.
    m_closeSpot = new HotSpot(QStringLiteral("Fermer la fenêtre"), this);
    m_closeSpot->setObjectName(QStringLiteral("closeIm"));
    m_closeSpot->setGeometry(twipsRect(0, 0, 375, 375));
    m_closeSpot->setCursor(velmoraCursor(VelmoraCursor::Forbidden));
    connect(m_closeSpot, &QAbstractButton::clicked, this, &QWidget::hide);
    // Escape does what the close mark does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, m_closeSpot,
            &QAbstractButton::click);

    // The logo's picture and its description say 3.0, as designed (see
    // creditsText).
    m_logo = new PictureBox(picturePath(QStringLiteral("about-logo.svg")), QStringLiteral("VelmoraWin 3.0"), this);
    m_logo->setObjectName(QStringLiteral("Image1"));
    m_logo->setGeometry(twipsRect(960, 480, 3645, 1125));

    m_creditsLabel = makeLabel(QStringLiteral("Label1"), creditsText(siteAddress), QColor(0, 0, 192),
                               twipsRect(120, 1680, 5295, 1215), this);
    m_licenceLabel =
        makeLabel(QStringLiteral("Label2"), licenceText(), QColor(192, 0, 0), twipsRect(120, 3000, 5295, 495), this);

    m_updateCheckLink = new LabelButton(QStringLiteral("Vérification de mises à jour..."), this);
    m_updateCheckLink->setObjectName(QStringLiteral("lblVersion"));
    m_updateCheckLink->setGeometry(twipsRect(1680, 3600, 2055, 255));
    QFont linkFont = designFont(8.25);
    linkFont.setUnderline(true);
    m_updateCheckLink->setFont(linkFont);
    QPalette lp = m_updateCheckLink->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lp.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    m_updateCheckLink->setPalette(lp);
    m_updateCheckLink->setToolTip(QStringLiteral("Avez-vous la dernière version ?"));
    m_updateCheckLink->setCursor(velmoraCursor(VelmoraCursor::Point));
    m_banner->lower();
    m_closeSpot->raise();
}

void AboutWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Window));
}

} // namespace velmora
