// The drawings as a browser lays them out, at the width of the program's
// browser window and narrower: a wrapped line never starts with a blank's
// space (no empty row, no indent), and no character's box cuts its text.
#include "render/pages.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// Measured in the page: per row, the lines of pictures (distinct tops) and
// the row's height; a line after the first that does not start at the row's
// left edge; a box whose text is wider than the box.
constexpr const char *kMeasure = R"js(
(() => {
  const out = {rows: 0, lines: 0, emptyLines: 0, indented: 0, boxes: 0, cut: 0};
  for (const row of document.querySelectorAll('.drawing .row')) {
    const r = row.getBoundingClientRect();
    const items = [...row.querySelectorAll('.w > *')].map(e => e.getBoundingClientRect());
    if (!items.length) continue;
    ++out.rows;
    const tops = [...new Set(items.map(b => Math.round(b.top)))].sort((a, b) => a - b);
    out.lines += tops.length;
    const pitch = items[0].height + 16;
    if (r.height > tops.length * pitch + 2) ++out.emptyLines;
    for (const t of tops.slice(1)) {
      const left = Math.min(...items.filter(b => Math.round(b.top) === t).map(b => b.left));
      if (left > r.left + 1) ++out.indented;
    }
  }
  for (const box of document.querySelectorAll('.drawing .box')) {
    ++out.boxes;
    if (box.scrollWidth > box.clientWidth + 1) ++out.cut;
  }
  return JSON.stringify(out);
})()
)js";

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void drawing_data();
    void drawing();
};

void TestLayout::drawing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("boxes");
    // The program's browser window shows pages 831 pixels wide.
    const QString sema = "/codes/semaphore/transsemaphore.php3", mers = "/codes/mers/transmers.php3",
                  gato = "/codes/gato/transgato.php3";
    const QString plage = QString("Rendez-vous maintenant à la plage");
    for (const int width : {831, 640, 480, 360}) {
        QTest::addRow("semaphore, long words, %d px", width) << sema << plage << width << 1; // the hyphen
        QTest::addRow("mers, letters then digits, %d px", width) << mers << "Bonjour 2026 Bonjour 2026" << width << 0;
        QTest::addRow("gato, control characters, %d px", width)
            << gato << QString("a\u0001 b\u001f\u007f c\u0085d \u009f") << width << 4;
        QTest::addRow("mers, control characters, %d px", width)
            << mers << QString("\u0001\u0002 1\u007f") << width << 3;
        QTest::addRow("semaphore, control characters, %d px", width) << sema << QString("\u001b[0m") << width << 2;
    }
}

void TestLayout::drawing()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    QFETCH(int, width);
    QFETCH(int, boxes);
    const velmora::PageResponse response =
        velmora::renderPage("GET", path.toStdString(), ("texte=" + QUrl::toPercentEncoding(message)).toStdString());
    QCOMPARE(response.status, 200);

    QWebEngineView view;
    view.resize(width, 544);
    QSignalSpy loaded(view.page(), &QWebEnginePage::loadFinished);
    view.setHtml(QString::fromStdString(response.html), QUrl("http://127.0.0.1/"));
    view.show();
    QVERIFY(loaded.wait(30000));
    QVERIFY(loaded.front().front().toBool());

    QString json;
    view.page()->runJavaScript(kMeasure, [&json](const QVariant &v) { json = v.toString(); });
    QTRY_VERIFY_WITH_TIMEOUT(!json.isEmpty(), 10000);
    const QJsonObject m = QJsonDocument::fromJson(json.toUtf8()).object();
    QVERIFY2(m.value("rows").toInt() > 0, qPrintable(json));
    QVERIFY2(m.value("emptyLines").toInt() == 0, qPrintable(json));
    QVERIFY2(m.value("indented").toInt() == 0, qPrintable(json));
    QCOMPARE(m.value("boxes").toInt(), boxes);
    QVERIFY2(m.value("cut").toInt() == 0, qPrintable(json));
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
