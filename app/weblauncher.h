// The web features live in a module of their own, loaded at the first web
// feature the user asks for: until then the program carries no web engine.
#pragma once

#include <QStringList>

namespace velmora {

class MainWindow;

// Where the module is looked for: beside the program, then where it is
// installed.
QStringList webModuleDirectories();

// Connects the main window's web buttons (the three picture codes, the two
// site icons, the about icon) to a launcher that loads the module at the
// first click, lets it attach itself, and hands it that click.
void installWebLauncher(MainWindow &main, const QStringList &directories = webModuleDirectories());

} // namespace velmora
