#include "ui/fonts.h"

#include "ui/texts.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>

namespace velmora {

QStringList designSubstitutes()
{
    // Faces with the metrics of the classic office sans first, then common sans
    // faces of Linux desktops.
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),     QStringLiteral("Arial"),
            QStringLiteral("Nimbus Sans"),     QStringLiteral("Helvetica"), QStringLiteral("Noto Sans"),
            QStringLiteral("DejaVu Sans")};
}

void installFontSubstitutions()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(QString::fromLatin1(kDesignFace), designSubstitutes());
        return true;
    }();
    Q_UNUSED(installed);
}

int designStretch()
{
    // The design face is narrower than the sans faces that stand in for it,
    // and the fixed text boxes of the windows were laid out for its widths:
    // the widest line of each explanatory text must fit its box, whichever
    // face stands in. The substitute is narrowed just enough for that, never
    // widened.
    static const int stretch = [] {
        QFont font(QString::fromLatin1(kDesignFace));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(8.25);
        const QString infoTexts = texts::morseInfo() + texts::alphaNumInfo() + texts::caesarInfo() +
                                  texts::polybeInfo() + texts::gatoInfo() + texts::mersInfo() + texts::semaphoreInfo();
        const QStringList lines = infoTexts.split(QStringLiteral("\r\n"));
        auto widest = [&lines](const QFont &face) {
            const QFontMetricsF metrics(face);
            qreal width = 0;
            for (const QString &line : lines) {
                // Blanks at the end of a line do not push it onto the next row.
                qsizetype length = line.size();
                while (length > 0 && line.at(length - 1).isSpace())
                    --length;
                width = std::max(width, metrics.horizontalAdvance(line.left(length)));
            }
            return width;
        };
        constexpr qreal kDesignWidth = 318; // pixels inside a 4935-twip info box
        const qreal width = widest(font);
        if (width <= kDesignWidth)
            return 100;
        int percent = std::clamp(int(100 * kDesignWidth / width), 75, 100);
        // At this small size each letter's advance is rounded to the pixel, so
        // the narrowed face is not exactly as much narrower as asked: narrow it
        // on until the widest line fits.
        for (font.setStretch(percent); percent > 75 && widest(font) > kDesignWidth; font.setStretch(--percent)) {
        }
        return percent;
    }();
    return stretch;
}

int designLineHeight(const QFont &font)
{
    // The fixed texts were fitted to the line pitch of the classic office sans
    // (ascent 1854 and descent 434 of its 2048 units to the em), which the
    // first substitutes share. Faces with taller lines are set at that pitch,
    // so every box keeps all its lines; faces with shorter ones keep theirs.
    const qreal officePitch = QFontInfo(font).pixelSize() * (1854.0 + 434.0) / 2048.0;
    return qRound(std::min(QFontMetricsF(font).height(), officePitch));
}

QFont designFont(qreal pointSize, QFont::Weight weight, bool italic)
{
    installFontSubstitutions();
    QFont font(QString::fromLatin1(kDesignFace));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setStretch(designStretch());
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

} // namespace velmora
