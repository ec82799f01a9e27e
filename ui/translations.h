// The program speaks French, and so do the texts Qt itself supplies.
#pragma once

namespace velmora {

// Loads Qt's own French texts (the message boxes' right-click menu, standard
// dialog buttons). Call once the application object exists. Returns false
// when they are not installed: Qt then shows its English texts.
bool installQtTranslations();

} // namespace velmora
