#include "app/processsetup.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <fontconfig/fontconfig.h>

#include <system_error>

#include <sys/resource.h>
#include <sys/stat.h>

// Qt keeps the context that every OpenGL context of the process shares; the
// web engine reads it when it starts. These two functions are exported by
// QtGui for that purpose and have no header of their own.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
QT_END_NAMESPACE

namespace velmora {

namespace {

void setUnlessSet(const char *name, const char *value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

// Whether the per-user session bus is there: a socket named "bus" in the
// user's runtime folder.
bool hasUserBus()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat status;
    return !runtime.isEmpty() && stat((runtime + "/bus").constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

QOpenGLContext *s_sharedContext = nullptr;

void releaseSharedContext()
{
    if (qt_gl_global_share_context() == s_sharedContext)
        qt_gl_set_global_share_context(nullptr);
    delete s_sharedContext;
    s_sharedContext = nullptr;
}

} // namespace

void keepFilesOutOfTheHomeFolder()
{
    // Qt Quick (inside the browser view) keeps compiled shaders on disk.
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    // Mesa's own cache of compiled shaders (two spellings over its versions).
    setUnlessSet("MESA_SHADER_CACHE_DISABLE", "true");
    setUnlessSet("MESA_GLSL_CACHE_DISABLE", "true");
    // The web engine asks GLib's settings store about accessibility and
    // proxies; its default store writes a file in the cache folder. The
    // program changes no setting, so an in-memory store answers the same.
    setUnlessSet("GSETTINGS_BACKEND", "memory");
    // With no session bus to talk to, the D-Bus library starts one for the
    // accessibility bridge and the web engine ("dbus-launch --autolaunch"):
    // a bus daemon left behind and its address saved under ~/.dbus. Where no
    // bus is given and there is no per-user bus either (which the library
    // finds by itself), the program does without one: no screen reader can
    // be listening on a bus nobody else knows. The address names a socket
    // that cannot exist, so every connection fails at once.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") && !hasUserBus())
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null/no-session-bus");
}

bool prepareSharedOpenGLContext()
{
    if (qt_gl_global_share_context())
        return true;
    auto *context = new QOpenGLContext;
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create()) {
        delete context;
        return false;
    }
    s_sharedContext = context;
    qt_gl_set_global_share_context(context);
    qAddPostRoutine(releaseSharedContext);
    return true;
}

FontconfigWarmUp::FontconfigWarmUp()
{
    // Fontconfig makes its configuration once per process, safely from any
    // thread; Qt's own FcInit() then finds it made. Without a thread (none
    // can be started), Qt reads it when it first needs it, as before.
    try {
        m_thread = std::thread([] {
            setpriority(PRIO_PROCESS, 0, 10);
            FcInit();
        });
    } catch (const std::system_error &) {
    }
}

FontconfigWarmUp::~FontconfigWarmUp()
{
    wait();
}

void FontconfigWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace velmora
