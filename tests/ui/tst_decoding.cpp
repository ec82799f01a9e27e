// The "Décoder" buttons of the local sections, driven as a person would: type
// or paste a coded message, pick the code (or not), click "Décoder", and read
// the result window's text and caption.
#include "uitest.h"

#include "engine/codes.h"

#include <QAccessible>
#include <QClipboard>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

using namespace velmora;
using uitest::child;

namespace {

struct Section {
    const char *plate;
    const char *box;
    const char *codeButton;
    const char *decodeButton;
};

// The four local sections, by the name of their plate.
Section sectionOf(const QString &plate)
{
    if (plate == QLatin1String("morseIm"))
        return {"morseIm", "txtMsgMorse", "cmdCodeMorse", "cmdDecodeMorse"};
    if (plate == QLatin1String("caesarIm"))
        return {"caesarIm", "caesarCode", "cmdCode", "cmdDecodeCaesar"};
    if (plate == QLatin1String("Image3"))
        return {"Image3", "polybeCode", "cmdCodePolybe", "cmdDecodePolybe"};
    return {"Image1", "alphaTxt", "cmdAlphaNumOK", "cmdAlphaNumDecode"};
}

const QString kCoded = QStringLiteral("Message Codé...");
const QString kDecoded = QStringLiteral("Message Décodé...");

QString decodedCaption(const QString &details)
{
    return details.isEmpty() ? kDecoded : kDecoded + QStringLiteral(" (") + details + QLatin1Char(')');
}

// Plain lines of words, blanks and full stops (what every code reads back
// exactly, in its folded case), CR LF between them, longer than what is
// handled at once once coded by CODER.
QString longPlainMessage(const std::function<QString(const QString &)> &coder)
{
    const QString line = QStringLiteral("Rendez vous a Brest demain matin. Le navire part a midi. ");
    const QString nextLine = QStringLiteral("\r\n") + line;
    // Sized from one line's coded length, so the message is coded once or
    // twice rather than once per line.
    const qsizetype lines = MainWindow::kCodedAtOnce / coder(nextLine).size() + 1;
    QString message = line + nextLine.repeated(lines);
    while (coder(message).size() <= MainWindow::kCodedAtOnce)
        message += nextLine.repeated(lines / 8 + 1);
    return message;
}

} // namespace

Q_DECLARE_METATYPE(velmora::CodeId)

class TestDecoding : public QObject
{
    Q_OBJECT

private:
    MainWindow *m_window = nullptr;

    void open(const QString &plate) { uitest::click(child<ImageButton>(m_window, plate)); }
    QPlainTextEdit *box(const Section &s) const { return child<QPlainTextEdit>(m_window, QLatin1String(s.box)); }
    QPushButton *button(const char *name) const { return child<QPushButton>(m_window, QLatin1String(name)); }
    QComboBox *combo() const { return child<QComboBox>(m_window, QStringLiteral("cboAlphaNum")); }

    // Sets the AlphaNum field: an item picked from the list, or the text typed.
    void chooseAlphaNum(const QString &choice)
    {
        if (choice.isEmpty())
            return;
        open(QStringLiteral("Image1"));
        if (combo()->findText(choice) >= 0)
            QVERIFY(uitest::chooseItem(combo(), choice));
        else
            uitest::typeInCombo(combo(), choice);
    }

    // Puts TEXT in the section's message box as one paste would.
    void paste(const Section &s, const QString &text)
    {
        open(QLatin1String(s.plate));
        QGuiApplication::clipboard()->setText(text);
        box(s)->selectAll();
        box(s)->paste();
    }

    QString resultText() const { return uitest::shownResult(m_window); }
    QString caption() const
    {
        return m_window->resultWindow() ? m_window->resultWindow()->windowTitle()
                                        : QStringLiteral("<no result window>");
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
    void workedExamplesReadBack_data()
    {
        // Coded texts as the codes write them, typed key by key.
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("choice"); // the AlphaNum field, empty to leave "Coder en..."
        QTest::addColumn<QString>("coded");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<QString>("details");
        QTest::newRow("Morse") << "morseIm" << QString() << QStringLiteral("···/- - -/···/") << "sos"
                               << "Morse";
        QTest::newRow("Morse, two words and a full stop")
            << "morseIm" << QString() << QStringLiteral("····/·/·-··/·-··/- - -//·- -/- - -/·-·/·-··/-··///")
            << "hello world."
            << "Morse";
        QTest::newRow("Morse 2 through the Morse button")
            << "morseIm" << QString() << QStringLiteral("PO/OPPP/OPOP//OPPO/OPO O/O OPP/") << "abc xyz"
            << "Morse 2";
        QTest::newRow("Morse, two lines") << "morseIm" << QString() << QStringLiteral("·-/-···/\r\n-·-·/") << "ab\r\nc"
                                          << "Morse";
        QTest::newRow("Caesar") << "caesarIm" << QString() << QStringLiteral("k/h/o/o/r//z/r/u/o/g///")
                                << "HELLO WORLD." << QString();
        QTest::newRow("Morse, an accent and a digit copied")
            << "morseIm" << QString() << QStringLiteral("2/·-/···-/·//-·-·/é···/·-/·-·/") << "2 ave césar"
            << "Morse";
        QTest::newRow("Caesar, an accent copied")
            << "caesarIm" << QString() << QStringLiteral("d/y/h//f/Év/d/u/") << "AVE CÉSAR" << QString();
        QTest::newRow("Polybius") << "Image3" << QString() << QStringLiteral("(1,1)/(1,2)/(1,3)//(5,3)/(5,4)/(5,5)/")
                                  << "ABC XYZ" << QString();
        QTest::newRow("Polybius, shared V and W cell")
            << "Image3" << QString() << QStringLiteral("(5,2)/(1,1)/(2,2)/(3,5)/(3,4)/") << "VAGON" << QString();
        QTest::newRow("'Détroit' chosen") << "Image1"
                                          << "'Détroit'" << QStringLiteral("26////1/") << "a. b"
                                          << "'Détroit'";
        QTest::newRow("'Avocat' chosen") << "Image1"
                                         << "'Avocat'" << QStringLiteral("r/o/v/v/y//g/y/b/v/n///") << "HELLO WORLD."
                                         << "'Avocat'";
        QTest::newRow("Binaire chosen") << "Image1"
                                        << "Binaire" << QStringLiteral("0000/0001/0000/0010/0000/0011/") << "abc"
                                        << "Binaire";
        QTest::newRow("Binaire guessed") << "Image1" << QString() << QStringLiteral("0000/0001/0000/0010/0000/0011/")
                                         << "abc"
                                         << "code trouvé : Binaire";
        QTest::newRow("nothing to guess from")
            << "Image1" << QString() << QString() << QString() << "aucun code reconnu";
        QTest::newRow("a message in no code") << "Image1" << QString() << QStringLiteral("Votre Message ICI")
                                              << QStringLiteral("Votre Message ICI") << "aucun code reconnu";
    }
    void workedExamplesReadBack()
    {
        QFETCH(QString, plate);
        QFETCH(QString, choice);
        QFETCH(QString, coded);
        QFETCH(QString, decoded);
        QFETCH(QString, details);
        const Section s = sectionOf(plate);
        chooseAlphaNum(choice);
        open(plate);
        uitest::typeMessage(box(s), coded);
        uitest::click(button(s.decodeButton));
        QCOMPARE(resultText(), decoded);
        QCOMPARE(caption(), decodedCaption(details));
        QCOMPARE(m_window->resultWindow()->accessibleName(), caption());
        QCOMPARE(m_window->resultWindow()->resultBox()->accessibleName(), QStringLiteral("Message décodé"));
        // Nothing is taken from the message box.
        QCOMPARE(MainWindow::messageText(box(s)), coded);
    }

    // ----------------------------------------------------------------------
    void codedThenDecoded_data()
    {
        // The user codes a message, pastes the code back into the box and
        // decodes it: the message comes back in the code's folded case.
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("codeButton");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<QString>("details");
        const QString french = QStringLiteral("Le navire quittera le port de Brest demain matin avec tout son "
                                              "equipage. Rendez vous sur le quai.");
        const QString english = QStringLiteral("The ship will leave the harbour tomorrow morning with all her "
                                               "crew. Meet us on the quay.");
        QTest::newRow("Morse") << "morseIm"
                               << "cmdCodeMorse" << QString() << french << french.toLower() << "Morse";
        QTest::newRow("Morse 2") << "morseIm"
                                 << "cmdCodeMorse2" << QString() << english << english.toLower() << "Morse 2";
        QTest::newRow("Caesar") << "caesarIm"
                                << "cmdCode" << QString() << french << french.toUpper() << QString();
        QTest::newRow("Polybius") << "Image3"
                                  << "cmdCodePolybe" << QString() << QStringLiteral("Hello World.")
                                  << QStringLiteral("HELLO VORLD.") << QString();
        QTest::newRow("'Cassis' chosen") << "Image1"
                                         << "cmdAlphaNumOK"
                                         << "'Cassis'" << english << english.toLower() << "'Cassis'";
        QTest::newRow("'Miracle' guessed") << "Image1"
                                           << "cmdAlphaNumOK"
                                           << "'Miracle'" << french << french.toLower() << "code trouvé : 'Miracle'";
        QTest::newRow("'Avocat' guessed") << "Image1"
                                          << "cmdAlphaNumOK"
                                          << "'Avocat'" << english << english.toUpper() << "code trouvé : 'Avocat'";
        QTest::newRow("'Feuille A4' guessed")
            << "Image1"
            << "cmdAlphaNumOK"
            << "'Feuille A4'" << french << french.toLower() << "code trouvé : 'Feuille A4'";
    }
    void codedThenDecoded()
    {
        QFETCH(QString, plate);
        QFETCH(QString, codeButton);
        QFETCH(QString, choice);
        QFETCH(QString, message);
        QFETCH(QString, decoded);
        QFETCH(QString, details);
        const Section s = sectionOf(plate);
        chooseAlphaNum(choice);
        paste(s, message);
        uitest::click(child<QPushButton>(m_window, codeButton));
        QCOMPARE(caption(), kCoded);
        const QString coded = resultText();
        QVERIFY(coded != message);
        paste(s, coded);
        // Guessed rows: the field goes back to its first text.
        if (details.startsWith(QStringLiteral("code trouvé"))) {
            // Back in the main window, the field's text typed over.
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window));
            uitest::typeInCombo(combo(), QStringLiteral("Coder en..."));
            QCOMPARE(combo()->currentText(), QStringLiteral("Coder en..."));
        }
        uitest::click(button(s.decodeButton));
        QCOMPARE(resultText(), decoded);
        QCOMPARE(caption(), decodedCaption(details));
        QCOMPARE(MainWindow::messageText(box(s)), coded);
        // A coding afterwards says "Codé" again in the same window.
        ResultWindow *window = m_window->resultWindow();
        uitest::click(child<QPushButton>(m_window, codeButton));
        QCOMPARE(m_window->resultWindow(), window);
        QCOMPARE(caption(), kCoded);
        QCOMPARE(window->accessibleName(), kCoded);
        QCOMPARE(window->resultBox()->accessibleName(), QStringLiteral("Message codé"));
    }

    // ----------------------------------------------------------------------
    void unreadableTokensKeptAndCounted_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("coded");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<QString>("details");
        QTest::newRow("Morse, one") << "morseIm" << QString() << QStringLiteral("···/··-·-·-·-/···/")
                                    << QStringLiteral("s··-·-·-·-/s") << "Morse, 1 élément illisible, laissé tel quel";
        QTest::newRow("Morse 2, two") << "morseIm" << QString() << QStringLiteral("PPP/PPPPPPP/O O O/OOOOOO/")
                                      << QStringLiteral("sPPPPPPP/oOOOOOO/")
                                      << "Morse 2, 2 éléments illisibles, laissés tels quels";
        QTest::newRow("Polybius, cells outside the square")
            << "Image3" << QString() << QStringLiteral("(1,1)/(9,9)/(1,2)/(6,1)/(1,3)/(7,7)/")
            << QStringLiteral("A(9,9)/B(6,1)/C(7,7)/") << "3 éléments illisibles, laissés tels quels";
        QTest::newRow("'Détroit', a number outside 1 to 26")
            << "Image1"
            << "'Détroit'" << QStringLiteral("26/99/1/") << QStringLiteral("a99/b")
            << "'Détroit', 1 élément illisible, laissé tel quel";
        QTest::newRow("Binaire, a lone nibble")
            << "Image1"
            << "Binaire" << QStringLiteral("0000/0001/0110/") << QStringLiteral("a0110/")
            << "Binaire, 1 élément illisible, laissé tel quel";
    }
    void unreadableTokensKeptAndCounted()
    {
        QFETCH(QString, plate);
        QFETCH(QString, choice);
        QFETCH(QString, coded);
        QFETCH(QString, decoded);
        QFETCH(QString, details);
        const Section s = sectionOf(plate);
        chooseAlphaNum(choice);
        paste(s, coded);
        uitest::click(button(s.decodeButton));
        QCOMPARE(resultText(), decoded);
        QCOMPARE(caption(), decodedCaption(details));
        QCOMPARE(MainWindow::messageText(box(s)), coded);
    }

    // ----------------------------------------------------------------------
    void longMessageDecodedWhileTheWindowAnswers_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<CodeId>("code");
        QTest::addColumn<bool>("lowerCase");
        QTest::addColumn<QString>("details");
        QTest::newRow("Morse") << "morseIm" << QString() << CodeId::Morse << true << "Morse";
        QTest::newRow("Morse 2") << "morseIm" << QString() << CodeId::Morse2 << true << "Morse 2";
        QTest::newRow("Caesar") << "caesarIm" << QString() << CodeId::Caesar << false << QString();
        QTest::newRow("Polybius") << "Image3" << QString() << CodeId::Polybe << false << QString();
        QTest::newRow("'Cassette' chosen") << "Image1"
                                           << "'Cassette'" << CodeId::Cassette << true << "'Cassette'";
        QTest::newRow("Binaire guessed") << "Image1" << QString() << CodeId::Binaire << true << "code trouvé : Binaire";
    }
    void longMessageDecodedWhileTheWindowAnswers()
    {
        // A coded text too long to decode at once is decoded in the
        // background: the click returns, the window goes on handling events
        // with a busy pointer, then the result window shows the whole text.
        QFETCH(QString, plate);
        QFETCH(QString, choice);
        QFETCH(CodeId, code);
        QFETCH(bool, lowerCase);
        QFETCH(QString, details);
        const auto coder = [code](const QString &m) { return encoder(code).encode(m); };
        const QString message = longPlainMessage(coder);
        const QString coded = coder(message);
        const Section s = sectionOf(plate);
        chooseAlphaNum(choice);
        paste(s, coded);

        QSignalSpy shown(m_window, &MainWindow::resultShown);
        bool answered = false;
        QTimer::singleShot(0, m_window, [&] { answered = shown.isEmpty(); });
        uitest::click(button(s.decodeButton));
        QVERIFY(m_window->isCoding());
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        QVERIFY(shown.wait(60000));
        QVERIFY2(answered, "no event was handled before the result came");
        QCOMPARE(shown.count(), 1);
        QVERIFY(!m_window->isCoding());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(resultText() == (lowerCase ? message.toLower() : message.toUpper()));
        QCOMPARE(caption(), decodedCaption(details));
        QVERIFY(MainWindow::messageText(box(s)) == coded);
    }

    void shortCodingSupersedesALongDecoding()
    {
        // Coding and decoding share one background job: a short coding while
        // a long decoding runs is shown at once, and the decoding never
        // replaces it.
        const QString coded = encodeMorse(longPlainMessage(encodeMorse));
        const Section morse = sectionOf(QStringLiteral("morseIm"));
        paste(morse, coded);
        uitest::click(button(morse.decodeButton));
        QVERIFY(m_window->isCoding());
        const Section caesar = sectionOf(QStringLiteral("caesarIm"));
        paste(caesar, QStringLiteral("abc xyz"));
        uitest::click(button(caesar.codeButton));
        QVERIFY(!m_window->isCoding());
        QCOMPARE(resultText(), QStringLiteral("d/e/f//a/b/c/"));
        QTest::qWait(1500);
        QCOMPARE(resultText(), QStringLiteral("d/e/f//a/b/c/"));
        QCOMPARE(caption(), kCoded);
    }

    // ----------------------------------------------------------------------
    void decodeButtonsLookLikeTheirSection_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::newRow("Morse") << "morseIm";
        QTest::newRow("AlphaNum") << "Image1";
        QTest::newRow("Caesar") << "caesarIm";
        QTest::newRow("Polybius") << "Image3";
    }
    void decodeButtonsLookLikeTheirSection()
    {
        QFETCH(QString, plate);
        const Section s = sectionOf(plate);
        open(plate);
        QPushButton *decode = button(s.decodeButton);
        QPushButton *code = button(s.codeButton);
        QVERIFY(decode);
        QVERIFY(decode->isVisible());
        QCOMPARE(decode->text(), QStringLiteral("Décoder"));
        QCOMPARE(decode->parentWidget(), code->parentWidget());
        QCOMPARE(decode->font(), code->font());
        QCOMPARE(decode->height(), code->height());
        QCOMPARE(decode->cursor().pixmap().toImage(), code->cursor().pixmap().toImage());
        QCOMPARE(decode->cursor().hotSpot(), code->cursor().hotSpot());
        QVERIFY(!decode->autoDefault());
        QVERIFY(!decode->toolTip().isEmpty());
        // Its caption fits, and it covers no other control of its section.
        QVERIFY2(decode->fontMetrics().horizontalAdvance(decode->text()) + 8 <= decode->width(),
                 qPrintable(QString::number(decode->width())));
        QVERIFY(decode->parentWidget()->contentsRect().contains(decode->geometry()));
        for (QWidget *other : decode->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (other != decode && other->isVisible())
                QVERIFY2(!other->geometry().intersects(decode->geometry()), qPrintable(other->objectName()));

        // Assistive tools see a push button named by its caption.
        QAccessible::setActive(true);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(decode);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Décoder"));
        QCOMPARE(face->text(QAccessible::Description), decode->toolTip());
    }

    void tabGoesFromCoderToDecoder_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("after");
        QTest::newRow("Morse") << "morseIm"
                               << "cmdEffaceMorse";
        QTest::newRow("AlphaNum") << "Image1"
                                  << "alphaTxt";
        QTest::newRow("Caesar") << "caesarIm"
                                << "caesarCode";
        QTest::newRow("Polybius") << "Image3"
                                  << "polybeCode";
    }
    void tabGoesFromCoderToDecoder()
    {
        // Tab from the coding button reaches "Décoder", then what came after
        // the coding button before (around to the message box where the
        // coding button was last).
        QFETCH(QString, plate);
        QFETCH(QString, after);
        const Section s = sectionOf(plate);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        open(plate);
        button(s.codeButton)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(s.decodeButton));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), after);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), button(s.decodeButton));
    }
};

QTEST_MAIN(TestDecoding)
#include "tst_decoding.moc"
