// The program's fonts. The windows were designed for "MS Sans Serif"; where
// that face is missing, a font substitution picks the nearest sans face that
// is installed, at the sizes and weights of the design.
#pragma once

#include <QFont>
#include <QStringList>

namespace velmora {

inline constexpr char kDesignFace[] = "MS Sans Serif";

// The faces that stand in for the design face, in order of preference: the
// first one installed wins.
QStringList designSubstitutes();

// Registers the substitutes of the design face (once; later calls do nothing).
void installFontSubstitutions();

// How much the installed substitute of the design face is narrowed (in
// percent) to take the widths of the design face.
int designStretch();

// The line pitch, in pixels, of a fixed text set in `font` (a design font):
// the face's own, but never taller than the faces the texts were fitted to.
int designLineHeight(const QFont &font);

// The design face at the given size, e.g. designFont(8.25) or
// designFont(9.75, QFont::Bold).
QFont designFont(qreal pointSize, QFont::Weight weight = QFont::Normal, bool italic = false);

} // namespace velmora
