// The program's own mouse cursors: 32 x 32 drawings of white gloved hands,
// each with its hot spot (both in the resources: cursors/NAME.svg and
// cursors/hotspots.txt). The numbers are those of the window designs.
#pragma once

#include <QCursor>

namespace velmora {

enum class VelmoraCursor {
    OkHand = 1,       // 1: OK sign; background of the main and result windows
    PenBeam = 2,      // 2: I-beam beside a hand holding a pen; text boxes
    OkHandSide = 3,   // 3: OK sign seen from the side; coding buttons
    OkHandRight = 4,  // 4: OK sign, hot spot on the right; clear buttons
    PenCrosshair = 5, // 5: cross-hair beside a hand holding a pen; navigation
    PointUp = 6,      // 6: hand pointing upwards; command icons
    OpenHand = 7,     // 7: open hand; the Morse "Coder" button
    Ring,             // hand making a ring; the Morse 2 help window
    Forbidden,        // pointing hand with a red prohibition sign; close spots
    Point,            // pointing hand; links of the web windows
};

// The cursor, rendered for the screen's pixel ratio and cached. When its
// drawing or its hot spot is missing, the nearest standard cursor stands in.
QCursor velmoraCursor(VelmoraCursor id);

} // namespace velmora
