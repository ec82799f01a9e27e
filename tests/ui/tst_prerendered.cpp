// The rasters that the build pre-renders of the drawings (":/velmora/raster/")
// stand in for the drawings at pixel ratio 1: each must be, pixel for pixel,
// what rendering the drawing gives, for every picture, icon size and cursor
// that assets.txt lists; any other size or ratio renders the drawing itself.

#include "ui/pictures.h"

#include <QtTest/QtTest>

#include <QFile>
#include <QIcon>
#include <QImage>

using namespace velmora;

namespace {

struct Drawing {
    QString path; // ":/velmora/pictures/smorse.svg"
    QSize natural;
    QString kind;
};

QList<Drawing> drawings()
{
    QList<Drawing> list;
    QFile manifest(QStringLiteral(VELMORA_ASSETS_MANIFEST));
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return list;
    const QStringList lines = QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char(' '));
        if (f.size() < 4)
            continue;
        list.append({QStringLiteral(":/velmora/") + f[0], QSize(f[1].toInt(), f[2].toInt()), f[3]});
    }
    return list;
}

QImage premultiplied(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// How many pixels differ (all of them when the sizes differ).
int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return qMax(a.width() * a.height(), b.width() * b.height());
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace

class TestPrerendered : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(drawings().size() >= 20, "assets.txt lists the program's drawings");
        ensureUiResources();
    }

    void sameAsTheDrawing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size"); // invalid: the natural size
        QTest::addColumn<QSize>("pixels");
        for (const Drawing &d : drawings()) {
            QTest::addRow("%s natural", qPrintable(d.path)) << d.path << QSize() << d.natural;
            if (d.kind == QLatin1String("icon")) {
                for (int side : kPictureIconSizes)
                    QTest::addRow("%s %d", qPrintable(d.path), side)
                        << d.path << QSize(side, side) << QSize(side, side);
            } else {
                // As the windows and the cursors ask for it: by its size.
                QTest::addRow("%s sized", qPrintable(d.path)) << d.path << d.natural << d.natural;
            }
        }
    }

    void sameAsTheDrawing()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(QSize, pixels);
        const QString raster = prerenderedPath(path, size);
        QVERIFY2(!raster.isEmpty(), "the build pre-renders this drawing at this size");

        const QImage fresh = premultiplied(renderPictureSvg(path, size, 1.0));
        QCOMPARE(fresh.size(), pixels);
        QImage stored = readPrerendered(raster);
        QVERIFY(!stored.isNull());
        stored = stored.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(differingPixels(stored, fresh), 0);

        // What the windows get at ratio 1 is that same picture.
        const QPixmap served = renderPicture(path, size, 1.0);
        QCOMPARE(served.devicePixelRatio(), 1.0);
        QCOMPARE(differingPixels(premultiplied(served), fresh), 0);
    }

    void otherSizesAndRatiosRenderTheDrawing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("pixels");
        const QString banner = picturePath(QStringLiteral("banner.svg"));
        const QString icon = picturePath(QStringLiteral("icon-main.svg"));
        const QString cursor = QStringLiteral(":/velmora/cursors/cursor-point.svg");
        QTest::newRow("banner ratio 2") << banner << QSize() << 2.0 << QSize(688, 202);
        QTest::newRow("banner ratio 1.5") << banner << QSize() << 1.5 << QSize(516, 152);
        QTest::newRow("banner other size") << banner << QSize(172, 50) << 1.0 << QSize(172, 50);
        QTest::newRow("icon 40") << icon << QSize(40, 40) << 1.0 << QSize(40, 40);
        QTest::newRow("icon 16 ratio 2") << icon << QSize(16, 16) << 2.0 << QSize(32, 32);
        QTest::newRow("cursor ratio 2") << cursor << QSize(32, 32) << 2.0 << QSize(64, 64);
    }

    void otherSizesAndRatiosRenderTheDrawing()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QFETCH(QSize, pixels);
        if (ratio == 1.0)
            QVERIFY(prerenderedPath(path, size).isEmpty());
        const QPixmap served = renderPicture(path, size, ratio);
        QCOMPARE(served.size(), pixels);
        QCOMPARE(served.devicePixelRatio(), ratio);
        QCOMPARE(differingPixels(premultiplied(served), premultiplied(renderPictureSvg(path, size, ratio))), 0);
    }

    void iconsAtEverySize_data()
    {
        QTest::addColumn<QString>("path");
        for (const Drawing &d : drawings())
            if (d.kind == QLatin1String("icon"))
                QTest::newRow(qPrintable(d.path)) << d.path;
    }

    void iconsAtEverySize()
    {
        QFETCH(QString, path);
        const QIcon icon = pictureIcon(path);
        QList<QSize> expected;
        for (int side : kPictureIconSizes)
            expected << QSize(side, side);
        QCOMPARE(icon.availableSizes(), expected);
        for (const QSize &size : expected) {
            const QPixmap pixmap = icon.pixmap(size, 1.0);
            QCOMPARE(pixmap.size(), size);
            QCOMPARE(differingPixels(premultiplied(pixmap), premultiplied(renderPictureSvg(path, size, 1.0))), 0);
        }
    }

    void onlyRastersAreRead_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("a drawing") << picturePath(QStringLiteral("smorse.svg"));
        QTest::newRow("the hot spots list") << QStringLiteral(":/velmora/cursors/hotspots.txt");
        QTest::newRow("missing raster") << QStringLiteral(":/velmora/raster/pictures/none.argb");
        QTest::newRow("outside the resources") << QStringLiteral("/nonexistent/smorse.argb");
    }

    void onlyRastersAreRead()
    {
        QFETCH(QString, path);
        QVERIFY(readPrerendered(path).isNull());
    }

    void missingDrawings_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing picture") << picturePath(QStringLiteral("none.svg"));
        QTest::newRow("outside the resources") << QStringLiteral("/nonexistent/smorse.svg");
        QTest::newRow("a raster itself") << QStringLiteral(":/velmora/raster/pictures/smorse.argb");
    }

    void missingDrawings()
    {
        QFETCH(QString, path);
        QVERIFY(prerenderedPath(path).isEmpty());
        QVERIFY(pictureIcon(path).isNull());
        if (QFile::exists(path))
            return; // a raster is no drawing, but it does exist
        QVERIFY(renderPicture(path, QSize(), 1.0).isNull());
        QVERIFY(!pictureNaturalSize(path).isValid());
    }
};

QTEST_MAIN(TestPrerendered)
#include "tst_prerendered.moc"
