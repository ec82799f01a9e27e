#include "ui/morsehelpwindow.h"

#include "ui/cursors.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/placement.h"
#include "ui/textboxes.h"
#include "ui/texts.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShortcut>

namespace velmora {

namespace {
const QColor kHelpBackground(255, 224, 192);
}

MorseHelpWindow::MorseHelpWindow(QWidget *parent)
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

    m_frame = new SectionFrame(QStringLiteral("Aide - Morse 2"), QColor(192, 0, 0), designFont(8.25, QFont::Bold, true),
                               kHelpBackground, this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setGeometry(twipsRect(0, 0, 3255, 3015));

    m_helpText = new QPlainTextEdit(m_frame);
    m_helpText->setObjectName(QStringLiteral("Text1"));
    m_helpText->setGeometry(twipsRect(120, 600, 3015, 2175));
    m_helpText->setReadOnly(true);
    m_helpText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_helpText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_helpText->document()->setDocumentMargin(2);
    m_helpText->setFont(designFont(8.25, QFont::Bold));
    m_helpText->setAccessibleName(QStringLiteral("Aide - Morse 2"));
    setTextColours(m_helpText, QApplication::palette().color(QPalette::Highlight), kHelpBackground);
    m_helpText->setPlainText(texts::morse2Help());

    m_closeButton = new LabelButton(QStringLiteral("X"), m_frame);
    m_closeButton->setObjectName(QStringLiteral("lblCloseMH"));
    m_closeButton->setGeometry(twipsRect(2880, 120, 255, 255));
    m_closeButton->setFont(designFont(12, QFont::Bold));
    m_closeButton->setAccessibleName(QStringLiteral("Fermer l'aide"));
    QPalette closePalette = m_closeButton->palette();
    closePalette.setColor(QPalette::Window, kHelpBackground);
    closePalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_closeButton->setPalette(closePalette);
    m_closeButton->setCursor(velmoraCursor(VelmoraCursor::Forbidden));
    connect(m_closeButton, &QAbstractButton::clicked, this, &QWidget::hide);
    // Escape does what the red X does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, m_closeButton,
            &QAbstractButton::click);

    centreWindow(this);
}

void MorseHelpWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), kHelpBackground);
}

} // namespace velmora
