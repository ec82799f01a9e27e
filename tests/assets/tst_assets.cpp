// Checks every picture, icon and cursor compiled into velmora_assets: present in
// the resources, valid SVG for Qt's renderer, at its declared pixel size, drawn
// without fonts, and each cursor with its hot spot on the drawing.

#include "velmora_assets.h"

#include <QtTest/QtTest>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>

namespace {

enum class Kind { Opaque, Icon, Cursor };

struct Asset {
    const char *path;
    int width;
    int height;
    Kind kind;
    int hotX = -1;
    int hotY = -1;
};

const Asset kAssets[] = {
    {"pictures/smorse.svg", 133, 133, Kind::Opaque},
    {"pictures/caesar.svg", 133, 133, Kind::Opaque},
    {"pictures/polybe.svg", 133, 133, Kind::Opaque},
    {"pictures/gato.svg", 133, 133, Kind::Opaque},
    {"pictures/mers.svg", 133, 133, Kind::Opaque},
    {"pictures/semaphore.svg", 133, 133, Kind::Opaque},
    {"pictures/banner.svg", 344, 101, Kind::Opaque},
    {"pictures/nav-morse.svg", 123, 40, Kind::Opaque},
    {"pictures/nav-alphanum.svg", 123, 40, Kind::Opaque},
    {"pictures/nav-caesar.svg", 123, 40, Kind::Opaque},
    {"pictures/nav-polybius.svg", 123, 40, Kind::Opaque},
    {"pictures/nav-gato.svg", 123, 40, Kind::Opaque},
    {"pictures/nav-mers.svg", 123, 40, Kind::Opaque},
    {"pictures/nav-semaphore.svg", 123, 40, Kind::Opaque},
    {"pictures/cmd-home.svg", 61, 61, Kind::Opaque},
    {"pictures/cmd-web.svg", 61, 61, Kind::Opaque},
    {"pictures/cmd-write.svg", 61, 61, Kind::Opaque},
    {"pictures/cmd-about.svg", 61, 61, Kind::Opaque},
    {"pictures/cmd-close.svg", 61, 61, Kind::Opaque},
    {"pictures/icon-main.svg", 32, 32, Kind::Icon},
    {"pictures/icon-result.svg", 32, 32, Kind::Icon},
    {"pictures/about-banner.svg", 373, 31, Kind::Opaque},
    {"pictures/about-logo.svg", 243, 75, Kind::Opaque},
    {"cursors/cursor1-ok.svg", 32, 32, Kind::Cursor, 7, 7},
    {"cursors/cursor2-ibeam-pen.svg", 32, 32, Kind::Cursor, 5, 9},
    {"cursors/cursor3-ok-side.svg", 32, 32, Kind::Cursor, 4, 16},
    {"cursors/cursor4-ok.svg", 32, 32, Kind::Cursor, 24, 7},
    {"cursors/cursor5-crosshair-pen.svg", 32, 32, Kind::Cursor, 5, 12},
    {"cursors/cursor6-point-up.svg", 32, 32, Kind::Cursor, 12, 1},
    {"cursors/cursor7-open-hand.svg", 32, 32, Kind::Cursor, 16, 14},
    {"cursors/cursor-ring.svg", 32, 32, Kind::Cursor, 7, 7},
    {"cursors/cursor-forbidden.svg", 32, 32, Kind::Cursor, 12, 1},
    {"cursors/cursor-point.svg", 32, 32, Kind::Cursor, 12, 1},
};

QString resourcePath(const char *path)
{
    return QStringLiteral(":/velmora/") + QLatin1String(path);
}

const Asset &assetByPath(const QString &path)
{
    for (const Asset &a : kAssets) {
        if (path == QLatin1String(a.path))
            return a;
    }
    qFatal("unknown asset %s", qPrintable(path));
    return kAssets[0];
}

QImage render(QSvgRenderer &renderer, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

// True when pixel (x, y) or a pixel at most `reach` pixels away (in x and in y)
// is not fully transparent.
bool drawnNear(const QImage &image, int x, int y, int reach)
{
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (px < 0 || py < 0 || px >= image.width() || py >= image.height())
                continue;
            if (qAlpha(image.pixel(px, py)) > 0)
                return true;
        }
    }
    return false;
}

// Messages that Qt's SVG module prints while parsing (unsupported elements,
// unknown references, ...) are collected here.
QStringList g_svgMessages;
QtMessageHandler g_previousHandler = nullptr;

void collectSvgMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category).startsWith("qt.svg")) {
        g_svgMessages << message;
        return;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private:
    void addRows(bool cursorsOnly)
    {
        QTest::addColumn<QString>("path");
        for (const Asset &a : kAssets) {
            if (!cursorsOnly || a.kind == Kind::Cursor)
                QTest::newRow(a.path) << QString::fromLatin1(a.path);
        }
    }

private slots:
    void initTestCase()
    {
        velmoraInitAssets();
        velmoraInitAssets(); // a second call must do no harm
        g_previousHandler = qInstallMessageHandler(collectSvgMessages);
    }

    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void inResources_data() { addRows(false); }
    void inResources()
    {
        QFETCH(QString, path);
        QFile file(resourcePath(qPrintable(path)));
        QVERIFY2(file.exists(), qPrintable(file.fileName()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() > 200);
    }

    void parsesAtDeclaredSize_data() { addRows(false); }
    void parsesAtDeclaredSize()
    {
        QFETCH(QString, path);
        const Asset &a = assetByPath(path);
        g_svgMessages.clear();
        QSvgRenderer renderer(resourcePath(a.path));
        QVERIFY2(renderer.isValid(), qPrintable(path));
        QCOMPARE(renderer.defaultSize(), QSize(a.width, a.height));
        QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, a.width, a.height));
        // Anything the renderer cannot draw shows up as a warning.
        QVERIFY2(g_svgMessages.isEmpty(), qPrintable(g_svgMessages.join(QLatin1Char('\n'))));
    }

    // Lettering is outlined at authoring time: no text element, no font and no
    // external file may be needed when the program runs.
    void selfContained_data() { addRows(false); }
    void selfContained()
    {
        QFETCH(QString, path);
        QFile file(resourcePath(qPrintable(path)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY2(!text.contains(QLatin1String("<text")), "live text needs a font at run time");
        QVERIFY2(!text.contains(QLatin1String("font-family")), "live text needs a font at run time");
        QVERIFY2(!text.contains(QLatin1String("<image")), "embedded or linked raster image");
        const QRegularExpression externalRef(QStringLiteral("href=\"(?!#)"));
        QVERIFY2(!externalRef.match(text).hasMatch(), "reference to an outside file");
        // Elements that Qt's SVG renderer skips without a word would draw differently here.
        for (const char *element : {"<filter", "<clipPath", "<mask", "<pattern", "<foreignObject", "<style"}) {
            QVERIFY2(!text.contains(QLatin1String(element)),
                     qPrintable(QStringLiteral("%1 is not drawn by the renderer").arg(QLatin1String(element))));
        }
    }

    void drawnAsDeclared_data() { addRows(false); }
    void drawnAsDeclared()
    {
        QFETCH(QString, path);
        const Asset &a = assetByPath(path);
        QSvgRenderer renderer(resourcePath(a.path));
        QVERIFY(renderer.isValid());
        const QImage image = render(renderer, a.width, a.height);

        QSet<QRgb> colours;
        int transparent = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                colours.insert(p);
                if (qAlpha(p) == 0)
                    ++transparent;
            }
        }
        // A real drawing, not a flat fill or an empty canvas.
        QVERIFY2(colours.size() >= 12, qPrintable(QStringLiteral("only %1 colours").arg(colours.size())));

        const int area = a.width * a.height;
        switch (a.kind) {
        case Kind::Opaque:
            // Pictures and plates fill their whole rectangle.
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    QVERIFY2(qAlpha(image.pixel(x, y)) == 255,
                             qPrintable(QStringLiteral("see-through pixel at %1,%2").arg(x).arg(y)));
            break;
        case Kind::Icon:
        case Kind::Cursor:
            // Drawn on a transparent ground, but not a mere speck.
            QVERIFY2(qAlpha(image.pixel(0, 0)) == 0, "corner should be transparent");
            QVERIFY2(transparent > area / 5, "background should be transparent");
            QVERIFY2(transparent < area * 9 / 10, "almost nothing drawn");
            break;
        }
    }

    void hotSpotOnDrawing_data() { addRows(true); }
    void hotSpotOnDrawing()
    {
        QFETCH(QString, path);
        const Asset &a = assetByPath(path);
        QSvgRenderer renderer(resourcePath(a.path));
        QVERIFY(renderer.isValid());
        const QImage image = render(renderer, 32, 32);
        QVERIFY2(drawnNear(image, a.hotX, a.hotY, 2),
                 qPrintable(QStringLiteral("nothing drawn within 2 px of the hot spot %1,%2").arg(a.hotX).arg(a.hotY)));
    }

    // The check above must be able to fail: a drawing far from its hot spot is refused.
    void hotSpotCheckRejectsMisplacedPoint()
    {
        const QByteArray svg =
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">"
            "<rect x=\"20\" y=\"20\" width=\"8\" height=\"8\" fill=\"#000\"/></svg>";
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        const QImage image = render(renderer, 32, 32);
        QVERIFY(!drawnNear(image, 12, 1, 2));
        QVERIFY(!drawnNear(image, 17, 17, 2));
        QVERIFY(drawnNear(image, 18, 18, 2));
        QVERIFY(drawnNear(image, 24, 24, 0));
    }

    // hotspots.txt, shipped beside the cursors, agrees with the hot spots above.
    void hotSpotListMatches()
    {
        QFile file(QStringLiteral(":/velmora/cursors/hotspots.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, QPoint> listed;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QCOMPARE(f.size(), 3);
            QVERIFY2(!listed.contains(f[0]), qPrintable(f[0]));
            bool okX = false, okY = false;
            listed.insert(f[0], QPoint(f[1].toInt(&okX), f[2].toInt(&okY)));
            QVERIFY(okX && okY);
        }
        int cursors = 0;
        for (const Asset &a : kAssets) {
            if (a.kind != Kind::Cursor)
                continue;
            ++cursors;
            const QString name = QString::fromLatin1(a.path).section(QLatin1Char('/'), 1).chopped(4);
            QVERIFY2(listed.contains(name), qPrintable(name));
            QCOMPARE(listed.value(name), QPoint(a.hotX, a.hotY));
        }
        QCOMPARE(listed.size(), cursors);
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
