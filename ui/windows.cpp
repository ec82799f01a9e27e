#include "ui/windows.h"

#include "ui/cursors.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/resultview.h"
#include "ui/texts.h"
#include "ui/textboxes.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

namespace velmora {

void centreWindow(QWidget *window, const QWidget *over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen *screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    QRect frame(QPoint(0, 0), window->size());
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

// ---------------------------------------------------------------------------
FrmMorse::FrmMorse(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    ensureUiResources();
    setObjectName(QStringLiteral("frmMorse"));
    setWindowTitle(QStringLiteral("Message Codé..."));
    setAccessibleName(windowTitle());
    setWindowIcon(pictureIcon(picturePath(QStringLiteral("icon-result.svg"))));
    setFont(designFont(8.25));
    setFixedSize(twipsSize(7920, 3810));
    setCursor(velmoraCursor(VelmoraCursor::OkHand));
    // Closed by its close box, the window is discarded; the next coding
    // builds a new one. It never keeps the program running on its own.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);

    m_codeMorse = new ResultView(this);
    m_codeMorse->setObjectName(QStringLiteral("codeMorse"));
    m_codeMorse->setGeometry(twipsRect(120, 120, 7575, 3495));
    m_codeMorse->setFont(designFont(9.75, QFont::Bold));
    m_codeMorse->setAccessibleName(QStringLiteral("Message codé"));
    setTextColours(m_codeMorse, QApplication::palette().color(QPalette::Highlight),
                   QApplication::palette().color(QPalette::Base));
    m_codeMorse->setCursor(Qt::ArrowCursor); // its scroll bar
    m_codeMorse->viewport()->setCursor(velmoraCursor(VelmoraCursor::PenBeam));
    m_codeMorse->setPlainText(QStringLiteral("Text1"));
}

void FrmMorse::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
}

// ---------------------------------------------------------------------------
namespace {
const QColor kHelpBackground(255, 224, 192);
}

HelpMorse2::HelpMorse2(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    ensureUiResources();
    setObjectName(QStringLiteral("helpMorse2"));
    setWindowTitle(QStringLiteral("Form1"));
    setAccessibleName(QStringLiteral("Aide - Morse 2"));
    setFont(designFont(8.25));
    setFixedSize(twipsSize(3285, 3030));
    setCursor(velmoraCursor(VelmoraCursor::Ring));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_frame = new SectionFrame(QStringLiteral("Aide - Morse 2"), QColor(192, 0, 0),
                               designFont(8.25, QFont::Bold, true), kHelpBackground, this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setGeometry(twipsRect(0, 0, 3255, 3015));

    m_text = new QPlainTextEdit(m_frame);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(twipsRect(120, 600, 3015, 2175));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->document()->setDocumentMargin(2);
    m_text->setFont(designFont(8.25, QFont::Bold));
    m_text->setAccessibleName(QStringLiteral("Aide - Morse 2"));
    setTextColours(m_text, QApplication::palette().color(QPalette::Highlight), kHelpBackground);
    m_text->setPlainText(texts::morse2Help());

    m_close = new LabelButton(QStringLiteral("X"), m_frame);
    m_close->setObjectName(QStringLiteral("lblCloseMH"));
    m_close->setGeometry(twipsRect(2880, 120, 255, 255));
    m_close->setFont(designFont(12, QFont::Bold));
    m_close->setAccessibleName(QStringLiteral("Fermer l'aide"));
    QPalette closePalette = m_close->palette();
    closePalette.setColor(QPalette::Window, kHelpBackground);
    closePalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_close->setPalette(closePalette);
    m_close->setCursor(velmoraCursor(VelmoraCursor::Forbidden));
    connect(m_close, &QAbstractButton::clicked, this, &QWidget::hide);

    centreWindow(this);
}

void HelpMorse2::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), kHelpBackground);
}

} // namespace velmora
