#pragma once

// Makes sure the compiled-in pictures, icons and cursors are registered, so that
// QFile(":/velmora/pictures/smorse.svg") and the like can be opened. Calling it
// more than once is harmless; call it early in main() before any window is built.
void velmoraInitAssets();
