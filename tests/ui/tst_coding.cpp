// The local coding buttons, driven as a person would: type the message, pick
// the code, click, and read the result window.
#include "hotspots.h"
#include "uitest.h"

#include "engine/codes.h"

#include <QAccessible>
#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

using namespace velmora;
using uitest::child;

namespace {

struct Section {
    const char *plate;
    const char *box;
};

Section sectionOf(const QString &button)
{
    if (button == QLatin1String("cmdCodeMorse") || button == QLatin1String("cmdCodeMorse2"))
        return {"morseIm", "txtMsgMorse"};
    if (button == QLatin1String("cmdCode"))
        return {"caesarIm", "caesarCode"};
    if (button == QLatin1String("cmdCodePolybe"))
        return {"Image3", "polybeCode"};
    return {"Image1", "alphaTxt"};
}

// A pasted message longer than what is coded at once: lines of mixed text
// (accents, digits, a character outside the first plane), CR LF between them.
QString longMessage(qsizetype atLeast, const QString &salt = QString())
{
    const QString line = QStringLiteral("Rendez-vous à Brest, quai 7 : « Été ! » \U0001F600 SOS xyz ") + salt;
    QString message;
    while (message.size() <= atLeast)
        message += line + QStringLiteral("\r\n");
    return message + QStringLiteral("fin");
}

using CodeFunction = std::function<QString(const QString &)>;

} // namespace

Q_DECLARE_METATYPE(CodeFunction)

class TestCoding : public QObject
{
    Q_OBJECT

private:
    MainWindow *m_window = nullptr;

    void open(const char *plate) { uitest::click(child<ImageButton>(m_window, QLatin1String(plate))); }
    QPlainTextEdit *box(const char *name) const { return child<QPlainTextEdit>(m_window, QLatin1String(name)); }
    QComboBox *combo() const { return child<QComboBox>(m_window, QStringLiteral("cboAlphaNum")); }

    // Types the message into the section of `button`, clicks it and returns
    // what the result window shows.
    QString code(const QString &button, const QString &message)
    {
        const Section section = sectionOf(button);
        open(section.plate);
        uitest::typeMessage(box(section.box), message);
        uitest::click(child<QPushButton>(m_window, button));
        return uitest::shownResult(m_window);
    }

    // Pastes MESSAGE into the section of BUTTON (as one paste would) and
    // clicks it; returns at once, before a long message is coded.
    void pasteAndClick(const QString &button, const QString &message)
    {
        const Section section = sectionOf(button);
        open(section.plate);
        QPlainTextEdit *b = box(section.box);
        QGuiApplication::clipboard()->setText(message);
        b->selectAll();
        b->paste();
        uitest::click(child<QPushButton>(m_window, button));
    }

    ResultView *resultBox() const { return m_window->resultWindow() ? m_window->resultWindow()->resultBox() : nullptr; }

    void closeResultWindow()
    {
        QVERIFY(m_window->resultWindow());
        QVERIFY(m_window->resultWindow()->close());
        uitest::flushDeletes();
        QVERIFY(!m_window->resultWindow());
    }

private slots:
    void initTestCase() { uitest::quietOffscreenNotes(); }

    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_window->activateWindow();
    }

    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        uitest::flushDeletes();
        QCOMPARE(uitest::visibleTopLevels(), QList<QWidget *>{});
    }

    // ----------------------------------------------------------------------
    void workedExamples_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("coded");

        QTest::newRow("Morse SOS") << "cmdCodeMorse"
                                   << "SOS"
                                   << "···/- - -/···/";
        QTest::newRow("Morse Hello World.") << "cmdCodeMorse"
                                            << "Hello World."
                                            << "····/·/·-··/·-··/- - -//·- -/- - -/·-·/·-··/-··///";
        QTest::newRow("Morse abc xyz") << "cmdCodeMorse"
                                       << "abc xyz"
                                       << "·-/-···/-·-·//-··-/-·- -/- -··/";
        QTest::newRow("Morse digits copied") << "cmdCodeMorse"
                                             << "2 chats"
                                             << "2/-·-·/····/·-/-/···/";
        QTest::newRow("Morse accent lower-cased") << "cmdCodeMorse"
                                                  << "Ave César"
                                                  << "·-/···-/·//-·-·/é···/·-/·-·/";
        QTest::newRow("Morse typed hyphen, slash") << "cmdCodeMorse"
                                                   << "a-b/c"
                                                   << "·-/--···//-·-·/";
        QTest::newRow("Morse two lines") << "cmdCodeMorse"
                                         << "AB\r\nC"
                                         << "·-/-···/\r\n-·-·/";
        QTest::newRow("Morse empty") << "cmdCodeMorse"
                                     << ""
                                     << "";

        QTest::newRow("Morse 2 SOS") << "cmdCodeMorse2"
                                     << "SOS"
                                     << "PPP/O O O/PPP/";
        QTest::newRow("Morse 2 Hello World.") << "cmdCodeMorse2"
                                              << "Hello World."
                                              << "PPPP/P/POPP/POPP/O O O//PO O/O O O/POP/POPP/OPP///";
        QTest::newRow("Morse 2 abc xyz") << "cmdCodeMorse2"
                                         << "abc xyz"
                                         << "PO/OPPP/OPOP//OPPO/OPO O/O OPP/";
        QTest::newRow("Morse 2 typed hyphen") << "cmdCodeMorse2"
                                              << "a-b/c"
                                              << "PO/OOPPP//OPOP/";
        QTest::newRow("Morse 2 typed dot and dash") << "cmdCodeMorse2"
                                                    << "·-"
                                                    << "PO";
        QTest::newRow("Morse 2 digits") << "cmdCodeMorse2"
                                        << "2 chats"
                                        << "2/OPOP/PPPP/PO/O/PPP/";

        QTest::newRow("Caesar Hello World.") << "cmdCode"
                                             << "Hello World."
                                             << "k/h/o/o/r//z/r/u/o/g///";
        QTest::newRow("Caesar wraps xyz") << "cmdCode"
                                          << "abc xyz"
                                          << "d/e/f//a/b/c/";
        QTest::newRow("Caesar accent upper-cased") << "cmdCode"
                                                   << "Ave César"
                                                   << "d/y/h//f/Év/d/u/";
        QTest::newRow("Caesar digit") << "cmdCode"
                                      << "A1"
                                      << "d/1";
        QTest::newRow("Caesar two lines") << "cmdCode"
                                          << "AB\r\nC"
                                          << "d/e/\r\nf/";
        QTest::newRow("Caesar hyphen, slash") << "cmdCode"
                                              << "a-b/c"
                                              << "d/-e//f/";
        QTest::newRow("Caesar full stop") << "cmdCode"
                                          << "e."
                                          << "h///";

        QTest::newRow("Polybius Hello World.") << "cmdCodePolybe"
                                               << "Hello World."
                                               << "(2,3)/(1,5)/(3,2)/(3,2)/(3,5)//(5,2)/(3,5)/(4,3)/(3,2)/(1,4)///";
        QTest::newRow("Polybius abc xyz") << "cmdCodePolybe"
                                          << "abc xyz"
                                          << "(1,1)/(1,2)/(1,3)//(5,3)/(5,4)/(5,5)/";
        QTest::newRow("Polybius Wagon") << "cmdCodePolybe"
                                        << "Wagon"
                                        << "(5,2)/(1,1)/(2,2)/(3,5)/(3,4)/";
        QTest::newRow("Polybius V and W share") << "cmdCodePolybe"
                                                << "vw"
                                                << "(5,2)/(5,2)/";
        QTest::newRow("Polybius accent") << "cmdCodePolybe"
                                         << "Ave César"
                                         << "(1,1)/(5,2)/(1,5)//(1,3)/É(4,4)/(1,1)/(4,3)/";
        QTest::newRow("Polybius typed cell") << "cmdCodePolybe"
                                             << "(1,1)"
                                             << "(1,1)";
        QTest::newRow("Polybius two lines") << "cmdCodePolybe"
                                            << "AB\r\nC"
                                            << "(1,1)/(1,2)/\r\n(1,3)/";
    }
    void workedExamples()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        QFETCH(QString, coded);
        QCOMPARE(code(button, message), coded);
        // The message box keeps the user's text.
        QCOMPARE(MainWindow::messageText(box(sectionOf(button).box)), message);
    }

    void messageKeepsNoBreakSpacesAndSoftLineBreaks()
    {
        // A no-break space is not a blank: Morse copies it unchanged. A line
        // typed with Shift+Enter is a line break like any other.
        open("morseIm");
        QPlainTextEdit *message = box("txtMsgMorse");
        uitest::typeMessage(message, QStringLiteral("a\u00A0b"));
        QTest::keyClick(message, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(message, QStringLiteral("c"));
        QCOMPARE(MainWindow::messageText(message), QStringLiteral("a\u00A0b\r\nc"));
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdCodeMorse")));
        QCOMPARE(resultBox()->toPlainText(), QStringLiteral("·-/\u00A0-···/\r\n-·-·/"));
    }

    void initialMessagesCodeWithTheirLineBreak()
    {
        // Untouched, "Coder !" codes "Votre Message ICI" and CR LF in 'Détroit'.
        open("Image1");
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdAlphaNumOK")));
        QCOMPARE(resultBox()->toPlainText(), QStringLiteral("21/14/19/17/4//12/4/18/18/26/6/4//8/2/8/\r\n"));
        open("caesarIm");
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdCode")));
        QCOMPARE(resultBox()->toPlainText(), QStringLiteral("y/r/w/u/h//p/h/v/v/d/j/h//l/f/l/"));
    }

    // ----------------------------------------------------------------------
    void alphaNumItemChosenFromTheList_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("coded");
        QTest::newRow("Détroit") << "'Détroit'"
                                 << "Hello world."
                                 << "7/4/11/11/14//22/14/17/11/3///";
        QTest::newRow("Avocat") << "'Avocat'"
                                << "abc"
                                << "k/l/m/";
        QTest::newRow("Avocat, accents") << "'Avocat'"
                                         << "Dédé"
                                         << "n/Én/É";
        QTest::newRow("Cassette") << "'Cassette'"
                                  << "abc"
                                  << "23/24/25/";
        QTest::newRow("Cassis") << "'Cassis'"
                                << "Hello world."
                                << "3/26/7/7/10//18/10/13/7/25///";
        QTest::newRow("Feuille A4") << "'Feuille A4'"
                                    << "abc"
                                    << "4/5/6/";
        QTest::newRow("Miracle") << "'Miracle'"
                                 << "Hello world."
                                 << "13/10/17/17/20//2/20/23/17/9///";
        QTest::newRow("Dedos") << "'Dedos'"
                               << "abc"
                               << "25/26/1/";
        QTest::newRow("Binaire") << "Binaire"
                                 << "abc"
                                 << "0000/0001/0000/0010/0000/0011/";
        QTest::newRow("Binaire, two lines") << "Binaire"
                                            << "z\r\np"
                                            << "0001/1010/\r\n0001/0000/";
    }
    void alphaNumItemChosenFromTheList()
    {
        QFETCH(QString, item);
        QFETCH(QString, message);
        QFETCH(QString, coded);
        open("Image1");
        QVERIFY(uitest::chooseItem(combo(), item));
        QCOMPARE(code(QStringLiteral("cmdAlphaNumOK"), message), coded);
        QCOMPARE(combo()->currentText(), item); // the choice stays
    }

    void alphaNumFieldTextFallsBackToDetroit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("coded");
        QTest::newRow("Avocat without apostrophes") << "Avocat"
                                                    << "26/1/2/";
        QTest::newRow("binaire in lower case") << "binaire"
                                               << "26/1/2/";
        QTest::newRow("Binaire with a blank behind") << "Binaire "
                                                     << "26/1/2/";
        QTest::newRow("empty field") << ""
                                     << "26/1/2/";
        QTest::newRow("Binaire typed exactly") << "Binaire"
                                               << "0000/0001/0000/0010/0000/0011/";
        QTest::newRow("'Avocat' typed exactly") << "'Avocat'"
                                                << "k/l/m/";
    }
    void alphaNumFieldTextFallsBackToDetroit()
    {
        QFETCH(QString, typed);
        QFETCH(QString, coded);
        open("Image1");
        uitest::typeInCombo(combo(), typed);
        QCOMPARE(combo()->currentText(), typed); // nothing completed or added
        QCOMPARE(combo()->count(), 8);
        QCOMPARE(code(QStringLiteral("cmdAlphaNumOK"), QStringLiteral("abc")), coded);
    }

    void alphaNumCodeChosenAnewAtEveryClick()
    {
        open("Image1");
        QVERIFY(uitest::chooseItem(combo(), QStringLiteral("'Avocat'")));
        QCOMPARE(code(QStringLiteral("cmdAlphaNumOK"), QStringLiteral("abc")), QStringLiteral("k/l/m/"));
        ResultWindow *first = m_window->resultWindow();
        QVERIFY(uitest::chooseItem(combo(), QStringLiteral("Binaire")));
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdAlphaNumOK")));
        QCOMPARE(m_window->resultWindow(), first); // the same window, not a second one
        QCOMPARE(resultBox()->toPlainText(), QStringLiteral("0000/0001/0000/0010/0000/0011/"));
        uitest::typeInCombo(combo(), QStringLiteral("autre chose"));
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdAlphaNumOK")));
        QCOMPARE(resultBox()->toPlainText(), QStringLiteral("26/1/2/"));
    }

    // ----------------------------------------------------------------------
    void emptyMessageStillShowsTheWindow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("clear");
        QTest::newRow("Morse") << "cmdCodeMorse"
                               << "cmdEffaceMorse";
        QTest::newRow("Morse 2") << "cmdCodeMorse2"
                                 << "cmdEffaceMorse";
        QTest::newRow("Caesar") << "cmdCode"
                                << "cmdEfface";
        QTest::newRow("Polybius") << "cmdCodePolybe"
                                  << "cmdEffacep";
    }
    void emptyMessageStillShowsTheWindow()
    {
        QFETCH(QString, button);
        QFETCH(QString, clear);
        open(sectionOf(button).plate);
        uitest::click(child<QPushButton>(m_window, clear));
        uitest::click(child<QPushButton>(m_window, button));
        QVERIFY(m_window->resultWindow() && m_window->resultWindow()->isVisible());
        QCOMPARE(resultBox()->toPlainText(), QString());
        if (button == QLatin1String("cmdCodeMorse"))
            QCOMPARE(resultBox()->font().pointSizeF(), 18.0);
        if (button == QLatin1String("cmdCodeMorse2"))
            QVERIFY(m_window->morseHelpWindow() && m_window->morseHelpWindow()->isVisible());
    }

    void clearMorseEmptiesTheBoxOfBothButtons()
    {
        open("morseIm");
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdEffaceMorse")));
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdCodeMorse2")));
        QCOMPARE(resultBox()->toPlainText(), QString());
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdCodeMorse")));
        QCOMPARE(resultBox()->toPlainText(), QString());
    }

    // ----------------------------------------------------------------------
    void resultWindowLooksAsDesigned()
    {
        code(QStringLiteral("cmdCode"), QStringLiteral("abc"));
        ResultWindow *result = m_window->resultWindow();
        QCOMPARE(result->windowTitle(), QStringLiteral("Message Codé..."));
        QCOMPARE(result->size(), QSize(528, 254));
        QCOMPARE(result->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(result->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(result->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!result->windowIcon().isNull());
        QVERIFY(!result->parentWidget()); // no owner window
        QCOMPARE(result->cursor().hotSpot(), uitest::designHotSpot(QStringLiteral("cursor1-ok")));
        ResultView *box = result->resultBox();
        QCOMPARE(box->objectName(), QStringLiteral("codeMorse"));
        QCOMPARE(box->geometry(), QRect(8, 8, 505, 233));
        QCOMPARE(box->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(box->font().pointSizeF(), 9.75);
        QVERIFY(box->font().bold());
        QCOMPARE(box->viewport()->cursor().hotSpot(), uitest::designHotSpot(QStringLiteral("cursor2-ibeam-pen")));
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Highlight));
    }

    void codingTwiceReusesTheWindow()
    {
        code(QStringLiteral("cmdCode"), QStringLiteral("abc"));
        ResultWindow *first = m_window->resultWindow();
        first->move(first->pos() + QPoint(40, 30)); // the user moved it
        const QPoint moved = first->pos();
        QCOMPARE(code(QStringLiteral("cmdCodePolybe"), QStringLiteral("vw")), QStringLiteral("(5,2)/(5,2)/"));
        QCOMPARE(m_window->resultWindow(), first);
        QCOMPARE(first->pos(), moved);
        int resultWindows = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            resultWindows += qobject_cast<ResultWindow *>(w) ? 1 : 0;
        QCOMPARE(resultWindows, 1);
        // The main window stays usable and keeps its text.
        QVERIFY(m_window->isVisible() && m_window->isEnabled());
    }

    void closedWindowIsRebuiltFromDesign()
    {
        QCOMPARE(code(QStringLiteral("cmdCodeMorse"), QStringLiteral("SOS")), QStringLiteral("···/- - -/···/"));
        QCOMPARE(resultBox()->font().pointSizeF(), 18.0);
        const QPoint designPlace = m_window->resultWindow()->pos();
        m_window->resultWindow()->move(designPlace + QPoint(50, 50));
        QPointer<ResultWindow> old = m_window->resultWindow();
        closeResultWindow();
        QVERIFY(!old); // discarded

        QCOMPARE(code(QStringLiteral("cmdCode"), QStringLiteral("abc")), QStringLiteral("d/e/f/"));
        QVERIFY(m_window->resultWindow()->isVisible());
        QCOMPARE(resultBox()->font().pointSizeF(), 9.75);
        QVERIFY(resultBox()->font().bold());
        QCOMPARE(m_window->resultWindow()->pos(), designPlace);
    }

    void morseSizeStaysUntilTheWindowCloses()
    {
        code(QStringLiteral("cmdCodeMorse"), QStringLiteral("SOS"));
        const QString face = resultBox()->font().family();
        QCOMPARE(resultBox()->font().pointSizeF(), 18.0);
        QVERIFY(resultBox()->font().bold()); // keeps its face and weight
        code(QStringLiteral("cmdCode"), QStringLiteral("abc"));
        QCOMPARE(resultBox()->font().pointSizeF(), 18.0);
        code(QStringLiteral("cmdCodeMorse2"), QStringLiteral("abc"));
        QCOMPARE(resultBox()->font().pointSizeF(), 18.0);
        code(QStringLiteral("cmdAlphaNumOK"), QStringLiteral("abc"));
        QCOMPARE(resultBox()->font().pointSizeF(), 18.0);
        QCOMPARE(resultBox()->font().family(), face);
        closeResultWindow();
        code(QStringLiteral("cmdCodePolybe"), QStringLiteral("abc"));
        QCOMPARE(resultBox()->font().pointSizeF(), 9.75);
    }

    // ----------------------------------------------------------------------
    void morse2ShowsItsHelpAtEveryCoding()
    {
        code(QStringLiteral("cmdCodeMorse"), QStringLiteral("abc"));
        QVERIFY(!m_window->morseHelpWindow()); // Morse alone shows no help

        code(QStringLiteral("cmdCodeMorse2"), QStringLiteral("abc"));
        MorseHelpWindow *help = m_window->morseHelpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(m_window->resultWindow()->isVisible());
        QCOMPARE(help->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
        QCOMPARE(help->size(), QSize(219, 202));
        QCOMPARE(help->frame()->title(), QStringLiteral("Aide - Morse 2"));
        const QString text = help->helpText()->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        QCOMPARE(text.size(), 280);
        QVERIFY(text.startsWith(QStringLiteral("  Il s'agit du même code Morse\r\n")));
        QVERIFY(help->helpText()->isReadOnly());

        // The red X hides it; the next Morse 2 coding shows the same window.
        uitest::click(help->closeButton());
        QVERIFY(!help->isVisible());
        QVERIFY(m_window->resultWindow()->isVisible());
        code(QStringLiteral("cmdCodeMorse"), QStringLiteral("abc"));
        QVERIFY(!help->isVisible());
        code(QStringLiteral("cmdCodeMorse2"), QStringLiteral("b"));
        QCOMPARE(m_window->morseHelpWindow(), help);
        QVERIFY(help->isVisible());
        // Shown again while already visible: still one, still visible.
        code(QStringLiteral("cmdCodeMorse2"), QStringLiteral("c"));
        QCOMPARE(m_window->morseHelpWindow(), help);
        QVERIFY(help->isVisible());
        QCOMPARE(resultBox()->toPlainText(), QStringLiteral("OPOP/"));
    }

    void helpCloseSpotIsAButtonForAssistiveTools()
    {
        code(QStringLiteral("cmdCodeMorse2"), QStringLiteral("abc"));
        MorseHelpWindow *help = m_window->morseHelpWindow();
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(help->closeButton());
        QCOMPARE(face->role(), QAccessible::Button);
        QVERIFY(!face->text(QAccessible::Name).isEmpty());
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!help->isVisible());
        QCOMPARE(help->closeButton()->cursor().hotSpot(), uitest::designHotSpot(QStringLiteral("cursor-forbidden")));
        QCOMPARE(help->cursor().hotSpot(), uitest::designHotSpot(QStringLiteral("cursor-ring")));
    }

    // ----------------------------------------------------------------------
    void longMessageCodedWhileTheWindowAnswers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("comboText");
        QTest::addColumn<CodeFunction>("encoder");
        QTest::addColumn<bool>("help");
        QTest::newRow("Morse") << "cmdCodeMorse" << QString() << CodeFunction(encodeMorse) << false;
        QTest::newRow("Morse 2") << "cmdCodeMorse2" << QString() << CodeFunction(encodeMorse2) << true;
        QTest::newRow("Caesar") << "cmdCode" << QString() << CodeFunction(encodeCaesar) << false;
        QTest::newRow("Polybius") << "cmdCodePolybe" << QString() << CodeFunction(encodePolybe) << false;
        QTest::newRow("Binaire") << "cmdAlphaNumOK"
                                 << "Binaire" << CodeFunction([](const QString &m) {
                                        return encodeAlphaNum(AlphaNumCode::Binaire, m);
                                    })
                                 << false;
        QTest::newRow("'Cassis'") << "cmdAlphaNumOK"
                                  << "'Cassis'" << CodeFunction([](const QString &m) {
                                         return encodeAlphaNum(AlphaNumCode::Cassis, m);
                                     })
                                  << false;
    }
    void longMessageCodedWhileTheWindowAnswers()
    {
        // A message too long to code at once is coded in the background: the
        // click returns, the window goes on handling events with a busy
        // pointer, and the result window then shows the whole code.
        QFETCH(QString, button);
        QFETCH(QString, comboText);
        QFETCH(CodeFunction, encoder);
        QFETCH(bool, help);
        if (!comboText.isEmpty()) {
            open("Image1");
            combo()->setEditText(comboText);
        }
        const QString message = longMessage(MainWindow::kCodedAtOnce);
        QSignalSpy shown(m_window, &MainWindow::resultShown);
        bool answered = false;
        QTimer::singleShot(0, m_window, [&] { answered = shown.isEmpty(); });
        pasteAndClick(button, message);
        QVERIFY(m_window->isCoding());
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        QVERIFY(shown.wait(60000));
        QVERIFY2(answered, "no event was handled before the result came");
        QCOMPARE(shown.count(), 1);
        QVERIFY(!m_window->isCoding());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(m_window->resultWindow());
        QVERIFY(m_window->resultWindow()->resultBox()->toPlainText() == encoder(message));
        QCOMPARE(m_window->morseHelpWindow() && m_window->morseHelpWindow()->isVisible(), help);
        QCOMPARE(m_window->resultWindow()->resultBox()->font().pointSizeF(),
                 button == QLatin1String("cmdCodeMorse") ? 18.0 : 9.75);
        // The message box keeps every character of the paste.
        QVERIFY(MainWindow::messageText(box(sectionOf(button).box)) == message);
    }

    void laterClickSupersedesALongCoding()
    {
        // Two long codings one after the other: only the later one's result
        // is shown, however the two finish; then a short one at once.
        QSignalSpy shown(m_window, &MainWindow::resultShown);
        const QString first = longMessage(MainWindow::kCodedAtOnce, QStringLiteral("un"));
        const QString second = longMessage(MainWindow::kCodedAtOnce, QStringLiteral("deux"));
        pasteAndClick(QStringLiteral("cmdCodeMorse"), first);
        pasteAndClick(QStringLiteral("cmdCode"), second);
        QVERIFY(shown.wait(60000));
        QTest::qWait(1000); // the first coding, had it been shown, would have come by now
        QCOMPARE(shown.count(), 1);
        QVERIFY(m_window->resultWindow()->resultBox()->toPlainText() == encodeCaesar(second));
        QCOMPARE(m_window->resultWindow()->resultBox()->font().pointSizeF(), 9.75);

        // A short message while a long one is coded: the short one is shown
        // at once and the long one never replaces it.
        pasteAndClick(QStringLiteral("cmdCodePolybe"), first);
        QVERIFY(m_window->isCoding());
        QCOMPARE(code(QStringLiteral("cmdCode"), QStringLiteral("abc xyz")), QStringLiteral("d/e/f//a/b/c/"));
        QVERIFY(!m_window->isCoding());
        QVERIFY(!QApplication::overrideCursor());
        QTest::qWait(1500);
        QCOMPARE(resultBox()->toPlainText(), QStringLiteral("d/e/f//a/b/c/"));
    }

    void closingWhileALongCodingRuns()
    {
        // The window can go while a coding runs: nothing is shown after it,
        // and nothing crashes.
        pasteAndClick(QStringLiteral("cmdCodeMorse2"), longMessage(MainWindow::kCodedAtOnce));
        QVERIFY(m_window->isCoding());
        delete m_window;
        m_window = nullptr;
        QTest::qWait(200);
        uitest::flushDeletes();
        QCOMPARE(uitest::visibleTopLevels(), QList<QWidget *>{});
        QVERIFY(!QApplication::overrideCursor());
        m_window = new MainWindow; // for cleanup()
    }

    // ----------------------------------------------------------------------
    void resultCanBeCopiedNotChanged()
    {
        code(QStringLiteral("cmdCode"), QStringLiteral("AB\r\nC"));
        ResultView *result = resultBox();
        result->setFocus();
        QTest::keyClicks(result, QStringLiteral("xyz"));
        QTest::keyClick(result, Qt::Key_Backspace);
        QTest::keyClick(result, Qt::Key_Delete);
        QTest::keyClick(result, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(result->toPlainText(), QStringLiteral("d/e/\r\nf/"));

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("d/e/\r\nf/"));
    }
};

QTEST_MAIN(TestCoding)
#include "tst_coding.moc"
