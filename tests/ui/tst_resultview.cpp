// The result box: a read-only view that wraps long coded texts itself. It must
// keep the text exactly, wrap it into lines that fit, never cut a character
// in two, and let the user select and copy.
#include "uitest.h"

#include "engine/codes.h"

#include <QAccessible>
#include <QClipboard>
#include <QScrollBar>

using namespace velmora;

namespace {

bool isBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

// The visual lines as the view cut them: [start, next start).
QStringList visualLines(ResultView *view)
{
    QStringList lines;
    const QString text = view->toPlainText();
    for (qsizetype i = 0; i < view->lineCount(); ++i) {
        const qsizetype start = view->lineStart(i);
        const qsizetype end = i + 1 < view->lineCount() ? view->lineStart(i + 1) : text.size();
        lines << text.mid(start, end - start);
    }
    return lines;
}

} // namespace

class TestResultView : public QObject
{
    Q_OBJECT

private:
    ResultView *m_view = nullptr;

private slots:
    void initTestCase() { uitest::quietOffscreenNotes(); }

    void init()
    {
        m_view = new ResultView;
        m_view->resize(505, 233);
        m_view->setFont(QFont(QStringLiteral("MS Sans Serif"), 10, QFont::Bold));
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }

    void cleanup()
    {
        delete m_view;
        m_view = nullptr;
    }

    void wrapsIntoLinesThatFit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("breaksAtSlashes");
        QTest::addColumn<int>("lineCount"); // when known; -1 otherwise
        const QString morse = encodeMorse(QStringLiteral("Rendez-vous demain a la gare de Lyon. ").repeated(40));
        QTest::newRow("Morse, one long line") << morse << true << -1;
        QTest::newRow("Binaire") << encodeAlphaNum(AlphaNumCode::Binaire,
                                                   QStringLiteral("message secret ").repeated(60))
                                 << true << -1;
        QTest::newRow("CR LF, LF and CR lines") << QStringLiteral("abc\r\ndef\nghi\rjkl\r\n\r\nmno") << false << 6;
        QTest::newRow("ends with a line break") << QStringLiteral("abc\r\n") << false << 2;
        QTest::newRow("one word longer than the box") << QString(5000, QLatin1Char('x')) << false << -1;
        QTest::newRow("surrogate pairs") << QStringLiteral("\U0001F600").repeated(700) << false << -1;
        QTest::newRow("combining marks") << QStringLiteral("e\u0301").repeated(700) << false << -1;
        QTest::newRow("tabs") << QStringLiteral("a\tbb\t/").repeated(300) << false << -1;
        QTest::newRow("runs of blanks") << (QString(300, QLatin1Char(' ')) + QStringLiteral("a/")).repeated(20) << false
                                        << -1;
        QTest::newRow("empty") << QString() << false << 1;
    }
    void wrapsIntoLinesThatFit()
    {
        QFETCH(QString, text);
        QFETCH(bool, breaksAtSlashes);
        QFETCH(int, lineCount);
        m_view->setPlainText(text);
        m_view->completeLayout();
        QCOMPARE(m_view->toPlainText(), text);

        const QStringList lines = visualLines(m_view);
        QCOMPARE(lines.join(QString()), text); // every character on exactly one line
        if (lineCount >= 0)
            QCOMPARE(lines.size(), lineCount);
        QVERIFY(!lines.isEmpty());
        const QFontMetricsF metrics(m_view->font());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            // A line break ends a line, and only at its end.
            qsizetype content = line.size();
            while (content > 0 && isBreak(line.at(content - 1)))
                --content;
            for (qsizetype k = 0; k < content; ++k)
                QVERIFY2(!isBreak(line.at(k)), qPrintable(QStringLiteral("line %1").arg(i)));
            QVERIFY(line.size() - content <= 2);
            // Never between the halves of a pair or before a combining mark.
            if (i > 0 && !line.isEmpty()) {
                QVERIFY(!line.at(0).isLowSurrogate());
                QVERIFY(line.at(0).category() != QChar::Mark_NonSpacing);
            }
            // Fits the box, unless one character alone is wider.
            const QString visible = line.left(content);
            QString trimmed = visible;
            while (trimmed.endsWith(QLatin1Char(' ')))
                trimmed.chop(1);
            if (trimmed.size() > 2 && !trimmed.contains(QLatin1Char('\t')))
                QVERIFY2(metrics.horizontalAdvance(trimmed) <= m_view->viewport()->width(),
                         qPrintable(QStringLiteral("line %1 too wide").arg(i)));
            // Coded text breaks after a letter's slash, never inside a
            // letter or between the slashes of a word break.
            if (breaksAtSlashes && i + 1 < lines.size() && content == line.size()) {
                QVERIFY2(visible.endsWith(QLatin1Char('/')), qPrintable(visible.right(12)));
                QVERIFY(!lines[i + 1].startsWith(QLatin1Char('/')));
            }
        }
        if (text.endsWith(QLatin1String("\r\n")))
            QCOMPARE(lines.last(), QString()); // an empty last line after the break
    }

    void hugeTextIsWrappedBetweenEvents()
    {
        const QString text = encodeMorse(QStringLiteral("Hello World. ").repeated(80000));
        QVERIFY(text.size() > 3'000'000);
        m_view->setPlainText(text);
        // Only what the screen needs is wrapped at once ...
        QVERIFY(!m_view->isLayoutComplete());
        QVERIFY(m_view->lineCount() < 1000);
        m_view->repaint();
        // ... the rest follows while the event loop runs.
        QTRY_VERIFY_WITH_TIMEOUT(m_view->isLayoutComplete(), 20000);
        QCOMPARE(visualLines(m_view).join(QString()), text);
        QCOMPARE(m_view->verticalScrollBar()->maximum() + m_view->verticalScrollBar()->pageStep(),
                 int(m_view->lineCount()));
    }

    void rewrapsOnFontChangeKeepingThePlace()
    {
        const QString text = encodeMorse(QStringLiteral("abc xyz ").repeated(2000));
        m_view->setPlainText(text);
        m_view->completeLayout();
        const qsizetype before = m_view->lineCount();
        m_view->verticalScrollBar()->setValue(300);
        const qsizetype offset = m_view->lineStart(300);

        QFont large = m_view->font();
        large.setPointSizeF(18);
        m_view->setFont(large);
        m_view->completeLayout();
        QVERIFY(m_view->lineCount() > before);
        const qsizetype top = m_view->firstVisibleLine();
        QVERIFY(m_view->lineStart(top) <= offset);
        QVERIFY(top + 1 >= m_view->lineCount() || m_view->lineStart(top + 1) > offset);
        QCOMPARE(visualLines(m_view).join(QString()), text);
    }

    void rewrapsWhenNarrowed()
    {
        m_view->setPlainText(encodeMorse(QStringLiteral("Polybe ").repeated(300)));
        m_view->completeLayout();
        const qsizetype wide = m_view->lineCount();
        m_view->resize(200, 233);
        m_view->completeLayout();
        QVERIFY(m_view->lineCount() > wide);
    }

    void keysScroll()
    {
        m_view->setPlainText(encodeMorse(QStringLiteral("Semaphore ").repeated(2000)));
        m_view->setFocus();
        QTest::keyClick(m_view, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(m_view->isLayoutComplete());
        QScrollBar *bar = m_view->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        QTest::keyClick(m_view, Qt::Key_PageUp);
        QCOMPARE(bar->value(), bar->maximum() - bar->pageStep());
        QTest::keyClick(m_view, Qt::Key_Up);
        QCOMPARE(bar->value(), bar->maximum() - bar->pageStep() - 1);
        QTest::keyClick(m_view, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(bar->value(), 0);
    }

    // ----------------------------------------------------------------------
    void mouseSelectsAndKeysCopy()
    {
        const QString text = QStringLiteral("···/- - -/···/\r\n-·-·/····/");
        m_view->setPlainText(text);
        QGuiApplication::clipboard()->clear();

        // Drag from the first character to the fifth.
        QWidget *viewport = m_view->viewport();
        const QPoint from = m_view->characterRect(0).topLeft() + QPoint(1, 2);
        const QPoint to = m_view->characterRect(5).topLeft() + QPoint(1, 2);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
        QCOMPARE(m_view->selectedText(), text.left(5));

        // Shift+click extends the selection into the second line.
        const QPoint further = m_view->characterRect(19).topLeft() + QPoint(1, 2);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, further);
        QCOMPARE(m_view->selectedText(), text.left(19));
        QVERIFY(m_view->selectedText().contains(QLatin1String("\r\n")));

        m_view->setFocus();
        QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), text.left(19));
        QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }

    void doubleClickSelectsOneLetter()
    {
        m_view->setPlainText(QStringLiteral("PPP/O O/PPPP/"));
        // On the second P of "PPPP": the letter between its slashes.
        const QPoint inside = m_view->characterRect(9).center();
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
        QCOMPARE(m_view->selectedText(), QStringLiteral("PPPP"));
    }

    void newTextClearsTheSelection()
    {
        m_view->setPlainText(QStringLiteral("abc"));
        m_view->selectAll();
        QVERIFY(m_view->hasSelection());
        m_view->setPlainText(QStringLiteral("def"));
        QVERIFY(!m_view->hasSelection());
        QCOMPARE(m_view->selectedText(), QString());
    }

    // ----------------------------------------------------------------------
    void assistiveToolsReadTheText()
    {
        QAccessible::setActive(true);
        const QString text = QStringLiteral("d/e/\r\nf/");
        m_view->setAccessibleName(QStringLiteral("Message codé"));
        m_view->setPlainText(text);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(m_view);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::EditableText);
        QVERIFY(face->state().readOnly);
        QVERIFY(face->state().multiLine);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Message codé"));
        QCOMPARE(face->text(QAccessible::Value), text);
        QAccessibleTextInterface *textFace = face->textInterface();
        QVERIFY(textFace);
        QCOMPARE(textFace->characterCount(), int(text.size()));
        QCOMPARE(textFace->text(2, 6), text.mid(2, 4));
        textFace->setSelection(0, 1, 4);
        QCOMPARE(m_view->selectedText(), QStringLiteral("/e/"));
        int start = -1, end = -1;
        textFace->selection(0, &start, &end);
        QCOMPARE(start, 1);
        QCOMPARE(end, 4);
        // A character's place on screen leads back to the character.
        const QRect place = textFace->characterRect(7);
        QCOMPARE(textFace->offsetAtPoint(place.center() - QPoint(place.width() / 4, 0)), 7);
        QVERIFY(!face->actionInterface() || !face->state().editable);
    }
};

QTEST_MAIN(TestResultView)
#include "tst_resultview.moc"
