#include "ui/resultwindow.h"

#include "ui/cursors.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/resultview.h"
#include "ui/soundbar.h"
#include "ui/textboxes.h"
#include "ui/twips.h"

#include <QApplication>
#include <QHideEvent>
#include <QPainter>

namespace velmora {

ResultWindow::ResultWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
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

    m_resultBox = new ResultView(this);
    m_resultBox->setObjectName(QStringLiteral("codeMorse"));
    m_resultBox->setGeometry(twipsRect(120, 120, 7575, 3495));
    m_resultBox->setFont(designFont(9.75, QFont::Bold));
    m_resultBox->setAccessibleName(QStringLiteral("Message codé"));
    setTextColours(m_resultBox, QApplication::palette().color(QPalette::Highlight),
                   QApplication::palette().color(QPalette::Base));
    m_resultBox->setCursor(Qt::ArrowCursor); // its scroll bar
    m_resultBox->viewport()->setCursor(velmoraCursor(VelmoraCursor::PenBeam));
    m_resultBox->setPlainText(QStringLiteral("Text1"));

    // Sound controls: hidden until a coding with a sound.
    m_soundBar = new SoundBar(m_resultBox, this);
    // Its buttons lie 120 twips below the box, as the box lies below the top.
    m_soundBar->move(twipsToPixels(120), twipsToPixels(3735 - SoundBar::kButtonTopTwips));
    m_soundBar->hide();
}

// ---------------------------------------------------------------------------
// Sound controls

namespace {

// The window as designed, and with the sound controls: as much again below
// them as the design leaves below the box.
constexpr QSize kDesignSize = twipsSize(7920, 3810);
constexpr QSize kWithSoundSize = twipsSize(7920, 3735 + 375 + 195);

} // namespace

void ResultWindow::setSoundCode(std::optional<CodeId> code)
{
    const bool sound = m_soundBar->setCode(code);
    m_soundBar->setVisible(sound);
    setFixedSize(sound ? kWithSoundSize : kDesignSize);
}

void ResultWindow::hideEvent(QHideEvent *event)
{
    // Closing the window, or the end of the program, silences it at once.
    if (!event->spontaneous())
        m_soundBar->stopSound();
    QWidget::hideEvent(event);
}

void ResultWindow::setCodedCaption()
{
    setWindowTitle(QStringLiteral("Message Codé..."));
    setAccessibleName(windowTitle());
    m_resultBox->setAccessibleName(QStringLiteral("Message codé"));
}

void ResultWindow::setDecodedCaption(const QString &details)
{
    QString caption = QStringLiteral("Message Décodé...");
    if (!details.isEmpty())
        caption += QStringLiteral(" (") + details + QLatin1Char(')');
    setWindowTitle(caption);
    setAccessibleName(caption);
    m_resultBox->setAccessibleName(QStringLiteral("Message décodé"));
}

void ResultWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
}

} // namespace velmora
