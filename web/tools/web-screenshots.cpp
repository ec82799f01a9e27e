// Writes PNGs of the browser window showing each picture code for
// «Bonjour 2026», and of the about window:
//   velmora-web-screenshots OUTPUT_DIR
#include "ui/mainwindow.h"
#include "ui/widgets.h"
#include "web/aboutwindow.h"
#include "web/browserwindow.h"
#include "web/webfeatures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWebEngineView>

#include <cstdio>
#include <functional>

using namespace velmora;

namespace {

bool waitFor(const std::function<bool()> &done, int ms = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

bool save(QWidget *window, const QString &path)
{
    // Let the page paint before the picture is taken.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const bool ok = window->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-web-screenshots OUTPUT_DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    MainWindow main;
    WebFeatures *web = attachWebFeatures(main);
    main.show();

    const QString message = QStringLiteral("Bonjour 2026");
    const struct {
        const char *box; // the design names of the message box and its button
        const char *button;
        const char *file;
        QString title;
    } pages[] = {
        {"txtCodeGato", "cmdCodeGato", "browser-gato.png", QStringLiteral("Gato — ") + message},
        {"Text2", "cmdCodeM", "browser-mers.png", QStringLiteral("Code des Mers — ") + message},
        {"txtCodeSema", "cmdCodeS", "browser-semaphore.png", QStringLiteral("Sémaphore — ") + message},
    };
    bool ok = true;
    for (const auto &page : pages) {
        main.findChild<QPlainTextEdit *>(QLatin1String(page.box))->setPlainText(message);
        main.findChild<QPushButton *>(QLatin1String(page.button))->click();
        BrowserWindow *browser = web->browserWindow();
        ok = waitFor([&] { return browser->windowTitle() == page.title; }) && ok;
        ok = save(browser, QDir(out).filePath(QString::fromLatin1(page.file))) && ok;
    }
    main.findChild<QAbstractButton *>(QStringLiteral("AboutIm"))->click();
    ok = save(web->aboutWindow(), QDir(out).filePath(QStringLiteral("about.png"))) && ok;
    return ok ? 0 : 1;
}
