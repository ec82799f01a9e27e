#include "ui/widgets.h"

#include "ui/pictures.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace velmora {

// ---------------------------------------------------------------------------
ImageButton::ImageButton(const QString &picturePath, const QString &toolTip, QWidget *parent)
    : QAbstractButton(parent)
    , m_path(picturePath)
{
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool ImageButton::hasPicture() const
{
    return pictureNaturalSize(m_path).isValid();
}

QSize ImageButton::sizeHint() const
{
    const QSize natural = pictureNaturalSize(m_path);
    return natural.isValid() ? natural : QSize(32, 32);
}

const QPixmap &ImageButton::pixmapForPaint()
{
    const qreal ratio = devicePixelRatioF();
    if (m_pixmapRatio != ratio) {
        m_pixmap = renderPicture(m_path, QSize(), ratio);
        m_pixmapRatio = ratio;
    }
    return m_pixmap;
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &pixmap = pixmapForPaint();
    if (!pixmap.isNull()) {
        painter.drawPixmap(0, 0, pixmap);
        return;
    }
    // The drawing is missing: a plain plate with the tooltip keeps the button
    // usable.
    painter.fillRect(rect(), QColor(0, 0, 96));
    painter.setPen(QColor(255, 214, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QColor(0, 220, 0));
    painter.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, toolTip());
}

// ---------------------------------------------------------------------------
PictureBox::PictureBox(const QString &picturePath, const QString &description, QWidget *parent)
    : QLabel(parent)
    , m_path(picturePath)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAccessibleName(description);
}

void PictureBox::drawPicture() const
{
    if (m_drawn)
        return;
    m_drawn = true;
    const QPixmap pixmap = renderPicture(m_path);
    if (!pixmap.isNull())
        const_cast<PictureBox *>(this)->setPixmap(pixmap);
}

bool PictureBox::hasPicture() const
{
    drawPicture();
    return !pixmap().isNull();
}

void PictureBox::showEvent(QShowEvent *event)
{
    drawPicture();
    QLabel::showEvent(event);
}

// ---------------------------------------------------------------------------
LabelButton::LabelButton(const QString &text, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(text);
    setFocusPolicy(Qt::NoFocus);
}

QSize LabelButton::sizeHint() const
{
    return fontMetrics().size(Qt::TextShowMnemonic, text());
}

void LabelButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, text());
}

// ---------------------------------------------------------------------------
SectionFrame::SectionFrame(const QString &caption, const QColor &captionColour, const QFont &captionFont,
                           const QColor &background, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_captionColour(captionColour)
    , m_captionFont(captionFont)
    , m_background(background)
{
}

QColor SectionFrame::backgroundColour() const
{
    return m_background.isValid() ? m_background : palette().color(QPalette::Highlight);
}

void SectionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour());

    const QFontMetrics metrics(m_captionFont);
    const QString caption = title();
    // The border runs through the middle of the caption line.
    const int borderTop = caption.isEmpty() ? 0 : metrics.height() / 2;
    const QRect border = rect().adjusted(0, borderTop, -1, -1);

    // Etched border: a shadow line with a light line beside it.
    const QColor shadow = palette().color(QPalette::Mid);
    const QColor light = palette().color(QPalette::Light);
    painter.setPen(shadow);
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(light);
    painter.drawLine(border.left() + 1, border.top() + 1, border.right() - 2, border.top() + 1);
    painter.drawLine(border.left() + 1, border.top() + 1, border.left() + 1, border.bottom() - 2);
    painter.drawLine(border.left(), border.bottom(), border.right(), border.bottom());
    painter.drawLine(border.right(), border.top(), border.right(), border.bottom());

    if (!caption.isEmpty()) {
        const int left = 8;
        const int width = metrics.horizontalAdvance(caption) + 4;
        const QRect captionRect(left - 2, 0, width, metrics.height());
        painter.fillRect(captionRect, backgroundColour());
        painter.setFont(m_captionFont);
        painter.setPen(m_captionColour);
        painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
}

} // namespace velmora
