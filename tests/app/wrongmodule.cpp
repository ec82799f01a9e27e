// A Qt plugin that bears the web module's name but is something else: the
// program must refuse it rather than call into it.
#include <QObject>
#include <QtPlugin>

class NotTheWebModule : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.velmorawin.VelmoraWin.SomethingElse/1")
};

#include "wrongmodule.moc"
