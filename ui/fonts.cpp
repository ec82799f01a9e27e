#include "ui/fonts.h"

#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>

namespace velmora {

void installFontSubstitutions()
{
    static const bool installed = [] {
        // Faces with the metrics of the classic office sans first, then common sans
        // faces of Linux desktops; the first one installed wins.
        QFont::insertSubstitutions(QString::fromLatin1(kDesignFace),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                                    QStringLiteral("Helvetica"), QStringLiteral("Noto Sans"),
                                    QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(installed);
}

int designStretch()
{
    // The design face is narrower than the sans faces that stand in for it,
    // and the fixed text boxes of the windows were laid out for its widths:
    // their widest line must fit its box. The substitute is narrowed just
    // enough for that, never widened.
    static const int stretch = [] {
        QFont font(QString::fromLatin1(kDesignFace));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(8.25);
        const qreal width = QFontMetricsF(font).horizontalAdvance(QStringLiteral(
            "et vécu 16 ans à Rome. Il est classé parmis les plus grands historiens"));
        constexpr qreal kDesignWidth = 318; // pixels inside a 4935-twip info box
        if (width <= kDesignWidth)
            return 100;
        return std::clamp(int(100 * kDesignWidth / width), 75, 100);
    }();
    return stretch;
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
