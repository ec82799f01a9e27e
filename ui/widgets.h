// Small widgets the windows are built from: pictures that act as buttons,
// plain pictures, a label that acts as a button, and the captioned frames of
// the sections.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace velmora {

// A picture that acts as a button: drawn at its natural size from the top-left
// corner, no focus of its own (like every picture of the windows), exposed to
// assistive technology as a push button whose name is its tooltip, so that
// assistive tools can press it.
class ImageButton : public QAbstractButton
{
    Q_OBJECT
public:
    ImageButton(const QString &picturePath, const QString &toolTip, QWidget *parent = nullptr);

    QString picturePath() const { return m_path; }
    bool hasPicture() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QPixmap &pixmapForPaint();

    QString m_path;
    QPixmap m_pixmap;
    qreal m_pixmapRatio = 0;
};

// A picture shown at its natural size, described for screen readers. It is
// drawn from its SVG when first shown: most pictures sit in sections hidden
// at start-up, and drawing them all then was a third of the start-up time
// (bench/startup).
class PictureBox : public QLabel
{
    Q_OBJECT
public:
    PictureBox(const QString &picturePath, const QString &description, QWidget *parent = nullptr);
    QString picturePath() const { return m_path; }
    bool hasPicture() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void drawPicture() const;

    QString m_path;
    mutable bool m_drawn = false;
};

// A text label that acts as a button (the help window's red "X"): drawn like
// a label, exposed to assistive technology as a push button.
class LabelButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit LabelButton(const QString &text, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A section of a window: a frame with an etched border and an optional
// caption in its own colour and font, filled with a background colour. The
// caption's font does not pass on to the frame's controls.
class SectionFrame : public QGroupBox
{
    Q_OBJECT
public:
    // An invalid background colour means the palette's highlight colour.
    SectionFrame(const QString &caption, const QColor &captionColour, const QFont &captionFont,
                 const QColor &background = QColor(), QWidget *parent = nullptr);

    QColor captionColour() const { return m_captionColour; }
    QFont captionFont() const { return m_captionFont; }
    QColor backgroundColour() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_captionColour;
    QFont m_captionFont;
    QColor m_background;
};

} // namespace velmora
