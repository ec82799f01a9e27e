// The fixed texts of the main window (the welcome text and each section's
// explanatory text) keep every line visible in their boxes, whichever face
// stands in for the design face.
//
// Each face is tried as it would be on a machine where it is the only
// substitute installed: the test runs itself again in a child process whose
// fontconfig sees that one family and nothing else, builds the real main
// window there, and reads where the lines of each text box fall.
#include "uitest.h"

#include "ui/fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {

// Set in the child process: build the window, print the measures, exit.
constexpr char kReportVariable[] = "VELMORA_FIXED_TEXTS_REPORT";

// The fixed text boxes and the sections that hold them.
const QList<QPair<QString, QString>> kTexts = {
    {QStringLiteral("accueilTxt"), QStringLiteral("mainFrame")},
    {QStringLiteral("morsetxt"), QStringLiteral("morseFrame")},
    {QStringLiteral("desANtxt"), QStringLiteral("alphaFrame")},
    {QStringLiteral("infocatxt"), QStringLiteral("caesarFrame")},
    {QStringLiteral("infoPolybeTxt"), QStringLiteral("polybeFrame")},
    {QStringLiteral("infoGatoTxt"), QStringLiteral("gatoFrame")},
    {QStringLiteral("Text1"), QStringLiteral("mersFrame")},
    {QStringLiteral("txtInfoSema"), QStringLiteral("semaFrame")},
};

// Faces a Debian machine with the package installed may well end up with:
// these must be there for the test to say anything (scripts/install-deps
// installs them). The other substitutes are tried when present.
const QStringList kRequiredFaces = {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                    QStringLiteral("DejaVu Sans")};

// Where the lines of one text box fall, in its viewport's pixels.
struct Measure {
    QString family;      // the face the box's font resolved to
    int stretch = 100;   // how wide the face is set, in percent
    qreal inkTop = 0;    // highest top of a letter
    qreal inkBottom = 0; // lowest bottom of a letter
    qreal inkRight = 0;  // rightmost end of a letter
    int viewportWidth = 0;
    int viewportHeight = 0;
    int rows = 0;        // rows of the laid-out text (wrapped lines count twice)
    int designLines = 0; // lines of the text itself
};

Measure measure(const QTextEdit *box)
{
    Measure m;
    // fontconfig names a family that several foundries make "Family [foundry]".
    m.family = QFontInfo(box->font()).family().section(QStringLiteral(" ["), 0, 0);
    m.stretch = box->font().stretch();
    m.viewportWidth = box->viewport()->width();
    m.viewportHeight = box->viewport()->height();
    const QPointF scroll(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value());
    const QFontMetricsF metrics(box->font());
    m.inkTop = qInf();
    QTextDocument *document = box->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // The text ends with a line break: the empty block after it is no line.
        if (block == document->lastBlock() && block.text().isEmpty())
            break;
        ++m.designLines;
        const QRectF blockRect = document->documentLayout()->blockBoundingRect(block);
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            ++m.rows;
            const QString text = block.text().mid(line.textStart(), line.textLength());
            qsizetype last = text.size();
            while (last > 0 && text.at(last - 1).isSpace())
                --last;
            if (last == 0)
                continue; // a row of blanks shows nothing that could be cut
            // The ink of the row's letters, from its baseline and its start.
            const QRectF ink = metrics.tightBoundingRect(text.left(last));
            const QPointF origin = blockRect.topLeft() + line.position() - scroll;
            const qreal baseline = origin.y() + line.ascent();
            m.inkBottom = std::max(m.inkBottom, baseline + ink.bottom());
            m.inkTop = std::min(m.inkTop, baseline + ink.top());
            m.inkRight =
                std::max(m.inkRight, origin.x() + line.cursorToX(int(line.textStart())) - line.x() + ink.right());
        }
    }
    if (qIsInf(m.inkTop))
        m.inkTop = 0;
    return m;
}

// The child process: the main window as the program shows it, every section
// made visible in turn, one line of measures per fixed text.
int reportMeasures(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    for (const auto &[name, section] : kTexts) {
        auto *frame = window.findChild<QWidget *>(section);
        auto *box = window.findChild<QTextEdit *>(name);
        if (!frame || !box) {
            std::printf("missing\t%s\n", qPrintable(name));
            continue;
        }
        frame->show();
        QCoreApplication::processEvents();
        const Measure m = measure(box);
        std::printf("%s\t%s\t%d\t%.2f\t%.2f\t%.2f\t%d\t%d\t%d\t%d\n", qPrintable(name), qPrintable(m.family), m.stretch,
                    m.inkTop, m.inkBottom, m.inkRight, m.viewportWidth, m.viewportHeight, m.rows, m.designLines);
    }
    std::fflush(stdout);
    return 0;
}

// A fontconfig set-up that shows the system's fonts of one family only.
QString onlyFaceConfig(const QString &face)
{
    return QStringLiteral(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <selectfont>
    <rejectfont><pattern/></rejectfont>
    <acceptfont><pattern><patelt name="family"><string>%1</string></patelt></pattern></acceptfont>
  </selectfont>
</fontconfig>
)")
        .arg(face.toHtmlEscaped());
}

} // namespace

class TestFixedTexts : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QHash<QString, QHash<QString, Measure>> m_measures; // face -> text box -> measure
    QHash<QString, QString> m_failures;                 // face -> what went wrong

    // The measures of every fixed text with only `face` installed.
    const QHash<QString, Measure> *measuresWith(const QString &face)
    {
        if (m_measures.contains(face))
            return &m_measures[face];
        if (m_failures.contains(face))
            return nullptr;
        const QString config = m_dir.filePath(face + QStringLiteral(".conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) || file.write(onlyFaceConfig(face).toUtf8()) < 0) {
            m_failures.insert(face, QStringLiteral("cannot write ") + config);
            return nullptr;
        }
        file.close();

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kReportVariable), QStringLiteral("1"));
        env.insert(QStringLiteral("FONTCONFIG_FILE"), config);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            m_failures.insert(face, QStringLiteral("the measuring process failed: ") +
                                        QString::fromLocal8Bit(child.readAllStandardError()));
            return nullptr;
        }
        QHash<QString, Measure> measures;
        const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.size() != 10)
                continue;
            Measure m;
            m.family = f[1];
            m.stretch = f[2].toInt();
            m.inkTop = f[3].toDouble();
            m.inkBottom = f[4].toDouble();
            m.inkRight = f[5].toDouble();
            m.viewportWidth = f[6].toInt();
            m.viewportHeight = f[7].toInt();
            m.rows = f[8].toInt();
            m.designLines = f[9].toInt();
            measures.insert(f[0], m);
        }
        m_measures.insert(face, measures);
        return &m_measures[face];
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void keepsEveryLineInItsBox_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("box");
        for (const QString &face : designSubstitutes())
            for (const auto &text : kTexts)
                QTest::addRow("%s @ %s", qPrintable(text.first), qPrintable(face)) << face << text.first;
    }

    void keepsEveryLineInItsBox()
    {
        QFETCH(QString, face);
        QFETCH(QString, box);
        if (!QFontDatabase::hasFamily(face)) {
            if (kRequiredFaces.contains(face))
                QFAIL(qPrintable(face + QStringLiteral(" is not installed (scripts/install-deps installs it)")));
            QSKIP(qPrintable(face + QStringLiteral(" is not installed here")));
        }
        const QHash<QString, Measure> *measures = measuresWith(face);
        QVERIFY2(measures, qPrintable(m_failures.value(face)));
        QVERIFY2(measures->contains(box), qPrintable(box + QStringLiteral(" was not found")));
        const Measure m = measures->value(box);

        // The face really is the one the window used.
        QCOMPARE(m.family, face);
        const QString where = QStringLiteral("%1 with %2 at %3%: %4 rows for %5 lines, letters from y %6 to %7, "
                                             "up to x %8; the box shows %9 x %10")
                                  .arg(box, face)
                                  .arg(m.stretch)
                                  .arg(m.rows)
                                  .arg(m.designLines)
                                  .arg(m.inkTop)
                                  .arg(m.inkBottom)
                                  .arg(m.inkRight)
                                  .arg(m.viewportWidth)
                                  .arg(m.viewportHeight);
        // Each line of the text keeps its own row, as designed: a wrapped
        // line would push the ones after it down and change the layout.
        QVERIFY2(m.rows == m.designLines, qPrintable(where));
        QVERIFY2(m.inkTop >= 0 && m.inkBottom > m.inkTop, qPrintable(where));
        QVERIFY2(m.inkBottom <= m.viewportHeight, qPrintable(where));
        QVERIFY2(m.inkRight <= m.viewportWidth, qPrintable(where));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kReportVariable))
        return reportMeasures(argc, argv);
    QApplication app(argc, argv);
    uitest::quietOffscreenNotes();
    TestFixedTexts test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fixedtexts.moc"
