// Checks every picture, icon and cursor that assets.txt lists: present in the
// resources, valid SVG for Qt's renderer, at its declared pixel size, drawn
// without fonts, and each cursor with its hot spot on the drawing.

#include "velmora_assets.h"

#include <QtTest/QtTest>

#include <algorithm>

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>

namespace {

enum class Kind { Opaque, Icon, Cursor };

struct Asset {
    QString path;
    int width = 0;
    int height = 0;
    Kind kind = Kind::Opaque;
    QPoint hotSpot{-1, -1};
};

// The assets as the build ships them: the list is assets.txt (one line per
// file: path, width, height, kind, what it shows), the cursors' hot spots are
// cursors/hotspots.txt as compiled into the program. Both are written by the
// script that draws the pictures. Whatever does not parse is noted in
// `problems`, which manifestWellFormed() reports.
struct Catalogue {
    QList<Asset> assets;
    QStringList problems;
};

const Catalogue &catalogue()
{
    static const Catalogue c = [] {
        Catalogue c;
        QFile manifest(QStringLiteral(VELMORA_ASSETS_MANIFEST));
        if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text)) {
            c.problems << QStringLiteral("cannot read ") + manifest.fileName();
            return c;
        }
        const QStringList lines = QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList f = line.split(QLatin1Char(' '));
            Asset a;
            bool okW = false, okH = false;
            if (f.size() >= 5) {
                a.path = f[0];
                a.width = f[1].toInt(&okW);
                a.height = f[2].toInt(&okH);
            }
            const QHash<QString, Kind> kinds = {{QStringLiteral("picture"), Kind::Opaque},
                                                {QStringLiteral("icon"), Kind::Icon},
                                                {QStringLiteral("cursor"), Kind::Cursor}};
            if (!okW || !okH || a.width <= 0 || a.height <= 0 || !kinds.contains(f.value(3))) {
                c.problems << QStringLiteral("assets.txt: bad line: ") + line;
                continue;
            }
            a.kind = kinds.value(f[3]);
            c.assets << a;
        }

        QFile hot(QStringLiteral(":/velmora/cursors/hotspots.txt"));
        if (!hot.open(QIODevice::ReadOnly | QIODevice::Text)) {
            c.problems << QStringLiteral("hotspots.txt is not in the resources");
            return c;
        }
        QSet<QString> named;
        const QStringList hotLines = QString::fromUtf8(hot.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : hotLines) {
            const QStringList f = line.split(QLatin1Char(' '));
            bool okX = false, okY = false;
            const QPoint spot(f.value(1).toInt(&okX), f.value(2).toInt(&okY));
            if (f.size() != 3 || !okX || !okY) {
                c.problems << QStringLiteral("hotspots.txt: bad line: ") + line;
                continue;
            }
            if (named.contains(f[0]))
                c.problems << QStringLiteral("hotspots.txt: %1 twice").arg(f[0]);
            named.insert(f[0]);
            const QString path = QStringLiteral("cursors/%1.svg").arg(f[0]);
            auto it = std::find_if(c.assets.begin(), c.assets.end(), [&](const Asset &a) { return a.path == path; });
            if (it == c.assets.end() || it->kind != Kind::Cursor) {
                c.problems << QStringLiteral("hotspots.txt: %1 is no cursor of assets.txt").arg(f[0]);
                continue;
            }
            it->hotSpot = spot;
        }
        for (const Asset &a : std::as_const(c.assets)) {
            if (a.kind == Kind::Cursor && a.hotSpot == QPoint(-1, -1))
                c.problems << QStringLiteral("no hot spot for ") + a.path;
        }
        return c;
    }();
    return c;
}

QString resourcePath(const QString &path)
{
    return QStringLiteral(":/velmora/") + path;
}

const Asset &assetByPath(const QString &path)
{
    for (const Asset &a : catalogue().assets) {
        if (path == a.path)
            return a;
    }
    qFatal("unknown asset %s", qPrintable(path));
    return catalogue().assets.first();
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

class TestAssets : public QObject
{
    Q_OBJECT

private:
    void addRows(bool cursorsOnly)
    {
        QTest::addColumn<QString>("path");
        for (const Asset &a : catalogue().assets) {
            if (!cursorsOnly || a.kind == Kind::Cursor)
                QTest::newRow(qPrintable(a.path)) << a.path;
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
        QFile file(resourcePath(path));
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
        QFile file(resourcePath(path));
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
        const QImage image = render(renderer, a.width, a.height);
        QVERIFY2(QRect(0, 0, a.width, a.height).contains(a.hotSpot), "hot spot outside the cursor");
        QVERIFY2(drawnNear(image, a.hotSpot.x(), a.hotSpot.y(), 2),
                 qPrintable(QStringLiteral("nothing drawn within 2 px of the hot spot %1,%2")
                                .arg(a.hotSpot.x())
                                .arg(a.hotSpot.y())));
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

    // assets.txt and hotspots.txt read without a fault: every line parses, every
    // cursor has one hot spot and every hot spot belongs to a cursor.
    void manifestWellFormed()
    {
        const Catalogue &c = catalogue();
        QVERIFY2(c.problems.isEmpty(), qPrintable(c.problems.join(QLatin1Char('\n'))));
        QVERIFY(!c.assets.isEmpty());
        QSet<QString> paths;
        int cursors = 0;
        for (const Asset &a : c.assets) {
            QVERIFY2(!paths.contains(a.path), qPrintable(a.path + QStringLiteral(" listed twice")));
            paths.insert(a.path);
            QVERIFY2(a.path.startsWith(a.kind == Kind::Cursor ? QLatin1String("cursors/") : QLatin1String("pictures/")),
                     qPrintable(a.path));
            QVERIFY2(a.path.endsWith(QLatin1String(".svg")), qPrintable(a.path));
            cursors += a.kind == Kind::Cursor;
        }
        QVERIFY(cursors > 0);
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
