// The program's modules: parts loaded only when first used (the web features,
// the sound card output), so that start-up carries none of their libraries.
#pragma once

#include <QStringList>

namespace velmora {

// Where the modules are looked for, in order: beside the program (a build
// tree), the installed layout relative to the program, the configured
// install folder.
QStringList moduleDirectories();

// Looks for the modules in these folders instead (an empty list: the usual
// ones), for the tests and tools that do not live beside the program.
void setModuleDirectories(const QStringList &directories);

} // namespace velmora
