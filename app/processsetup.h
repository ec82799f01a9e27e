// What the program settles before its application object exists and before
// the web features load.
#pragma once

#include <thread>

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

// The first text laid out makes fontconfig read its configuration and its
// font caches (about 10 ms, before the main window can be built). Made at the
// top of main(), this reads them on a thread of its own while the
// application object connects to the display; wait() (or the destructor)
// joins it, before the windows are built.
class FontconfigWarmUp
{
public:
    FontconfigWarmUp();
    ~FontconfigWarmUp();
    FontconfigWarmUp(const FontconfigWarmUp &) = delete;
    FontconfigWarmUp &operator=(const FontconfigWarmUp &) = delete;
    void wait();

private:
    std::thread m_thread;
};

} // namespace velmora
