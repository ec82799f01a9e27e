// Every function of the main window from the keyboard, the Morse 2 help
// window closed with Escape, and Qt's own texts in French.
#include "ui/translations.h"
#include "uitest.h"

#include <QAccessible>
#include <QMenu>
#include <QSignalSpy>

using namespace velmora;
using uitest::child;

class TestKeyboard : public QObject
{
    Q_OBJECT

private:
    MainWindow *m_window = nullptr;

    void press(QKeyCombination keys)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_window, keys.key(),
                        keys.keyboardModifiers());
    }

private slots:
    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
    }

    void sectionShortcuts_data()
    {
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("description");
        QTest::newRow("Alt+1 Morse") << (Qt::ALT | Qt::Key_1) << "morseIm"
                                     << "morseFrame"
                                     << "Raccourci : Alt+1";
        QTest::newRow("Alt+2 AlphaNum") << (Qt::ALT | Qt::Key_2) << "Image1"
                                        << "alphaFrame"
                                        << "Raccourci : Alt+2";
        QTest::newRow("Alt+3 Caesar") << (Qt::ALT | Qt::Key_3) << "caesarIm"
                                      << "caesarFrame"
                                      << "Raccourci : Alt+3";
        QTest::newRow("Alt+4 Polybius") << (Qt::ALT | Qt::Key_4) << "Image3"
                                        << "polybeFrame"
                                        << "Raccourci : Alt+4";
        QTest::newRow("Alt+5 Gato") << (Qt::ALT | Qt::Key_5) << "gatoIm"
                                    << "gatoFrame"
                                    << "Raccourci : Alt+5";
        QTest::newRow("Alt+6 Mers") << (Qt::ALT | Qt::Key_6) << "mersIm"
                                    << "mersFrame"
                                    << "Raccourci : Alt+6";
        QTest::newRow("Alt+7 Semaphore") << (Qt::ALT | Qt::Key_7) << "semaIm"
                                         << "semaFrame"
                                         << "Raccourci : Alt+7";
        QTest::newRow("Alt+0 home") << (Qt::ALT | Qt::Key_0) << "homeIm"
                                    << "mainFrame"
                                    << "Raccourci : Alt+0";
    }
    void sectionShortcuts()
    {
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, plate);
        QFETCH(QString, section);
        QFETCH(QString, description);
        // Start from another section, with the keyboard in a message box.
        press(keys.key() == Qt::Key_1 ? (Qt::ALT | Qt::Key_3) : (Qt::ALT | Qt::Key_1));
        QVERIFY(m_window->visibleSection()->objectName() != section);
        QWidget *box = m_window->visibleSection()->findChild<QPlainTextEdit *>();
        if (box)
            box->setFocus();
        press(keys);
        QCOMPARE(m_window->visibleSection()->objectName(), section);

        // A screen reader announces the key with the control.
        QAbstractButton *control = child<QAbstractButton>(m_window, plate);
        QVERIFY(control);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Description), description);
    }

    void commandShortcuts_data()
    {
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("description");
        QTest::newRow("F1 about") << QKeyCombination(Qt::Key_F1) << "AboutIm"
                                  << "Raccourci : F1";
        QTest::newRow("Ctrl+Q quit") << (Qt::CTRL | Qt::Key_Q) << "closeIm"
                                     << "Raccourci : Ctrl+Q";
    }
    void commandShortcuts()
    {
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, icon);
        QFETCH(QString, description);
        QAbstractButton *control = child<QAbstractButton>(m_window, icon);
        QVERIFY(control);
        QCOMPARE(control->accessibleDescription(), description);
        // The key does what a click does; whatever answers the click (the
        // web features for the about window, the end of the program for the
        // red sign) answers the key.
        QSignalSpy clicks(control, &QAbstractButton::clicked);
        press(keys);
        QCOMPARE(clicks.count(), 1);
        if (icon == QLatin1String("closeIm"))
            QVERIFY(!m_window->isVisible());
    }

    void escapeHidesTheMorse2Help()
    {
        press(Qt::ALT | Qt::Key_1);
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdCodeMorse2")));
        MorseHelpWindow *help = m_window->morseHelpWindow();
        QVERIFY(help && help->isVisible());
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    void qtTextsAreFrench()
    {
        QVERIFY2(installQtTranslations(), "Qt's French translations are not installed (qt6-translations-l10n)");
        press(Qt::ALT | Qt::Key_1);
        auto *box = child<QPlainTextEdit>(m_window, QStringLiteral("txtMsgMorse"));
        QVERIFY(box);
        std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        QStringList texts;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        QCOMPARE(texts,
                 QStringList({"Annuler", "Rétablir", "Couper", "Copier", "Coller", "Supprimer", "Tout sélectionner"}));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    uitest::quietOffscreenNotes();
    TestKeyboard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keyboard.moc"
