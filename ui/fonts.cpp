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
        QStringList lines = infoTexts.split(QStringLiteral("\r\n"));
        // Blanks at the end of a line do not push it onto the next row.
        for (QString &line : lines) {
            qsizetype length = line.size();
            while (length > 0 && line.at(length - 1).isSpace())
                --length;
            line.truncate(length);
        }
        auto widest = [](const QFont &face, const QStringList &which) {
            const QFontMetricsF metrics(face);
            qreal width = 0;
            for (const QString &line : which)
                width = std::max(width, metrics.horizontalAdvance(line));
            return width;
        };
        constexpr qreal kDesignWidth = 318; // pixels inside a 4935-twip info box
        const QFontMetricsF full(font);
        QList<qreal> widths;
        for (const QString &line : lines)
            widths << full.horizontalAdvance(line);
        const qreal width = *std::max_element(widths.cbegin(), widths.cend());
        if (width <= kDesignWidth)
            return 100;
        int percent = std::clamp(int(100 * kDesignWidth / width), 75, 100);
        // At this small size each letter's advance is rounded to the pixel, so
        // the narrowed face is not exactly as much narrower as asked: narrow it
        // on until the widest line fits. Only the lines near the widest can
        // decide it, so they alone are measured at each step; all of them are
        // measured again at the stretch found.
        QStringList nearWidest;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (widths[i] > 0.9 * width)
                nearWidest << lines[i];
        for (const QStringList *which : {&nearWidest, &lines}) {
            for (font.setStretch(percent); percent > 75 && widest(font, *which) > kDesignWidth;
                 font.setStretch(--percent)) {
            }
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
