// The web features live in a module of their own, loaded at the first web
// feature the user asks for: until then the program carries no web engine.
#pragma once

#include <QStringList>

namespace velmora {

class MainWindow;

// Where the module is looked for: beside the program, then where it is
// installed.
QStringList webModuleDirectories();

// Answers the main window's web requests (picture code, site page, contact
// page, about window) with a launcher that, at the first request, loads the
// module, checks that it is the web module this program expects, lets it
// attach itself to the main window and hands it that first request. When the
// module cannot be loaded the user is told so, and the next request tries
// again.
void installWebLauncher(MainWindow &main, const QStringList &directories = webModuleDirectories());

} // namespace velmora
