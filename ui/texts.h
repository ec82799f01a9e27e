// The fixed texts of the windows, exact to the character (line breaks are
// CR LF, the last line of each text too).
#pragma once

#include <QString>

namespace velmora::texts {

QString morseInfo();     // morsetxt
QString alphaNumInfo();  // desANtxt
QString caesarInfo();    // infocatxt
QString polybeInfo();    // infoPolybeTxt
QString gatoInfo();      // infoGatoTxt
QString mersInfo();      // Text1 of the Code des Mers section
QString semaphoreInfo(); // txtInfoSema
QString welcome();       // accueilTxt, with the site address and contact e-mail
QString morse2Help();    // Text1 of the Morse 2 help window

QString mainCaption();    // 104 blanks, then "VelmoraWin III"
QString initialMessage(); // "Votre Message ICI" and a line break

} // namespace velmora::texts
