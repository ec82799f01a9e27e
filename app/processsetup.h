// What the program settles before its application object exists and before
// the web features load.
#pragma once

namespace velmora {

// The program writes no files. Qt's and Mesa's shader caches and GLib's
// settings store would otherwise leave files under the home folder as soon as
// a web page is drawn; this turns each of them off for this process and the
// web engine's helper processes. Call before the application object exists.
void keepFilesOutOfTheHomeFolder();

// The embedded browser draws through OpenGL and needs one context that all
// others share. Making it costs the OpenGL driver stack (time and memory), so
// it is made here, at the first web feature, rather than at start-up. Returns
// false when no OpenGL context can be made: the browser then draws in
// software.
bool prepareSharedOpenGLContext();

} // namespace velmora
