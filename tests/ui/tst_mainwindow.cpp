// The main window: its initial state, layout, look, navigation between the
// sections, clear buttons, focus order and what assistive tools see. Every
// test runs twice: on a window made whole at once, and on one whose code
// sections are made once it is on screen (as the program makes it).
#include "hotspots.h"
#include "uitest.h"

#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/twips.h"

#include "velmora_config.h"

#include <QAccessible>
#include <QGroupBox>
#include <QRandomGenerator>
#include <QTextEdit>

#include <functional>

using namespace velmora;
using uitest::child;

namespace {

const QStringList kSections = {QStringLiteral("mainFrame"),   QStringLiteral("morseFrame"),
                               QStringLiteral("alphaFrame"),  QStringLiteral("caesarFrame"),
                               QStringLiteral("polybeFrame"), QStringLiteral("gatoFrame"),
                               QStringLiteral("mersFrame"),   QStringLiteral("semaFrame")};

// Plate (or home icon) -> the section it shows.
const QList<QPair<QString, QString>> kPlates = {
    {QStringLiteral("homeIm"), QStringLiteral("mainFrame")},
    {QStringLiteral("morseIm"), QStringLiteral("morseFrame")},
    {QStringLiteral("Image1"), QStringLiteral("alphaFrame")},
    {QStringLiteral("caesarIm"), QStringLiteral("caesarFrame")},
    {QStringLiteral("Image3"), QStringLiteral("polybeFrame")},
    {QStringLiteral("gatoIm"), QStringLiteral("gatoFrame")},
    {QStringLiteral("mersIm"), QStringLiteral("mersFrame")},
    {QStringLiteral("semaIm"), QStringLiteral("semaFrame")},
};

QString sectionOfPlate(const QString &plate)
{
    for (const auto &pair : kPlates)
        if (pair.first == plate)
            return pair.second;
    return QString();
}

// Every control of WINDOW, depth first in creation order, with what tells it
// apart, then the order in which Tab reaches the controls that take it.
QStringList describe(const QWidget *window)
{
    QStringList lines;
    std::function<void(const QWidget *, int)> walk = [&](const QWidget *parent, int depth) {
        for (QObject *object : parent->children()) {
            const auto *widget = qobject_cast<const QWidget *>(object);
            if (!widget)
                continue;
            const QRect g = widget->geometry();
            lines << QStringLiteral("%1%2 %3 (%4,%5 %6x%7) %8 \"%9\" \"%10\"")
                         .arg(QString(depth, QLatin1Char(' ')), widget->objectName(),
                              QLatin1String(widget->metaObject()->className()))
                         .arg(g.x())
                         .arg(g.y())
                         .arg(g.width())
                         .arg(g.height())
                         .arg(widget->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"),
                              widget->accessibleName(), widget->toolTip());
            walk(widget, depth + 1);
        }
    };
    walk(window, 0);
    for (const QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            lines << QStringLiteral("Tab: ") + w->objectName() + QLatin1Char(' ') +
                         QLatin1String(w->metaObject()->className());
    return lines;
}

// Shows each section of WINDOW in turn, then the welcome again.
void visitEverySection(MainWindow *window)
{
    for (const auto &plate : kPlates.mid(1))
        child<ImageButton>(window, plate.first)->click();
    child<ImageButton>(window, kPlates.first().first)->click();
}

// Shows a main window made the given way; once it returns, the window is
// whole.
bool showWhole(MainWindow *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    return QTest::qWaitFor([window] { return child<QPlainTextEdit>(window, QStringLiteral("txtMsgMorse")); });
}

QString crlf(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

public:
    explicit TestMainWindow(MainWindow::Sections sections)
        : m_sections(sections)
    {
    }

private:
    const MainWindow::Sections m_sections;
    MainWindow *m_window = nullptr;

    QStringList visibleSections() const
    {
        QStringList visible;
        for (const QString &name : kSections)
            if (child<QGroupBox>(m_window, name)->isVisible())
                visible << name;
        return visible;
    }

    void clickPlate(const QString &name)
    {
        auto *plate = child<ImageButton>(m_window, name);
        QVERIFY2(plate, qPrintable(name));
        uitest::click(plate);
    }

private slots:
    void initTestCase() { uitest::quietOffscreenNotes(); }

    void init()
    {
        m_window = new MainWindow(nullptr, m_sections);
        QVERIFY(showWhole(m_window));
    }

    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        uitest::flushDeletes();
    }

    // ----------------------------------------------------------------------
    void startsWithHomeSectionAndImagesOnly()
    {
        QCOMPARE(visibleSections(), QStringList{QStringLiteral("mainFrame")});
        QCOMPARE(m_window->visibleSection()->objectName(), QStringLiteral("mainFrame"));
        const auto images = m_window->findChildren<ImageButton *>();
        QCOMPARE(images.size(), 12);
        for (ImageButton *image : images)
            QVERIFY2(image->isVisible(), qPrintable(image->objectName()));
        // Every control of the code sections is hidden.
        for (const QString &name : kSections.mid(1))
            for (QWidget *control : child<QGroupBox>(m_window, name)->findChildren<QWidget *>())
                QVERIFY2(!control->isVisible(), qPrintable(control->objectName()));
        // No other window is open.
        QCOMPARE(uitest::visibleTopLevels(), QList<QWidget *>{m_window});
        QVERIFY(!m_window->resultWindow());
        QVERIFY(!m_window->morseHelpWindow());
    }

    void messageBoxesStartWithTheirText_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        const QString withBreak = QStringLiteral("Votre Message ICI\r\n");
        QTest::newRow("Morse") << "txtMsgMorse" << withBreak;
        QTest::newRow("AlphaNum") << "alphaTxt" << withBreak;
        QTest::newRow("Caesar, no line break") << "caesarCode" << QStringLiteral("Votre Message ICI");
        QTest::newRow("Polybius") << "polybeCode" << withBreak;
        QTest::newRow("Gato") << "txtCodeGato" << withBreak;
        QTest::newRow("Code des Mers") << "Text2" << withBreak;
        QTest::newRow("Semaphore") << "txtCodeSema" << withBreak;
    }
    void messageBoxesStartWithTheirText()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QCOMPARE(MainWindow::messageText(child<QPlainTextEdit>(m_window, box)), text);
    }

    void comboStartsWithPromptAndNoSelection()
    {
        auto *combo = child<QComboBox>(m_window, QStringLiteral("cboAlphaNum"));
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->currentText(), QStringLiteral("Coder en..."));
        QVERIFY(combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items,
                 (QStringList{QStringLiteral("'Détroit'"), QStringLiteral("'Avocat'"), QStringLiteral("'Cassette'"),
                              QStringLiteral("'Cassis'"), QStringLiteral("'Feuille A4'"), QStringLiteral("'Miracle'"),
                              QStringLiteral("'Dedos'"), QStringLiteral("Binaire")}));
    }

    void infoTextsAreExact_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("Morse") << "morsetxt" << 289 << "Samuel Morse (1791-1872),";
        QTest::newRow("Caesar") << "infocatxt" << 309 << "  Jules César (Caïus Julius Caesar) (100av.JC - 44av. JC)";
        QTest::newRow("Polybius") << "infoPolybeTxt" << 475 << "  Polybe (U. Polybius) (200av. JC. - 120av. JC.),";
        QTest::newRow("AlphaNum") << "desANtxt" << 516
                                  << "  Il éxiste des centaines de codes alphanumériques, plus ou moins ";
        QTest::newRow("Semaphore") << "txtInfoSema" << 288 << "  Il s'agit, à nouveau, d'un système de drapeaux,";
        QTest::newRow("Code des Mers") << "Text1" << 395 << "  Lors du XVIIIème siècle, la 'British Royal Navy',";
        QTest::newRow("Gato") << "infoGatoTxt" << 391
                              << "  ...Ou plus internationalement connu sous le nom de \"TIC-TAC-TOE\",";
    }
    void infoTextsAreExact()
    {
        QFETCH(QString, box);
        QFETCH(int, length);
        QFETCH(QString, firstLine);
        auto *info = child<QTextEdit>(m_window, box);
        QVERIFY(info);
        const QString text = crlf(info->toPlainText());
        QCOMPARE(text.size(), length);
        QVERIFY(text.startsWith(firstLine + QLatin1String("\r\n")));
        QVERIFY(text.endsWith(QLatin1String("\r\n")));
        // Shows its text, takes no focus and no typing.
        QVERIFY(!info->isEnabled());
        QVERIFY(info->isReadOnly());
        QCOMPARE(info->focusPolicy(), Qt::NoFocus);
    }

    void welcomeTextNamesSiteAndAddress()
    {
        auto *welcome = child<QTextEdit>(m_window, QStringLiteral("accueilTxt"));
        const QStringList lines = crlf(welcome->toPlainText()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 15); // 14 lines, each ended by CR LF
        QCOMPARE(lines.last(), QString());
        QCOMPARE(lines[0], QString(72, QLatin1Char(' ')) + QStringLiteral("Bienvenue sur"));
        QCOMPARE(lines[1], QString(75, QLatin1Char(' ')));
        QCOMPARE(lines[2], QString(59, QLatin1Char(' ')) + QStringLiteral("VelmoraWin 3ème génération"));
        for (int i : {3, 4, 5, 6, 10, 11, 12})
            QCOMPARE(lines[i], QStringLiteral(" "));
        QCOMPARE(lines[8], QStringLiteral("sujet du logiciel, en visitant notre site web sur ") +
                               QStringLiteral(VELMORA_SITE_ADDRESS) + QStringLiteral(" et en laissant, ainsi, un "));
        QCOMPARE(lines[13], QString(86, QLatin1Char(' ')) + QStringLiteral(VELMORA_CONTACT_EMAIL));
        QVERIFY(!welcome->isEnabled());
    }

    // ----------------------------------------------------------------------
    void windowFrameAndSize()
    {
        QCOMPARE(m_window->windowTitle(), QString(104, QLatin1Char(' ')) + QStringLiteral("VelmoraWin III"));
        QCOMPARE(m_window->size(), twipsSize(10545, 6360));
        QCOMPARE(m_window->size(), QSize(703, 424));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        const Qt::WindowFlags flags = m_window->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!m_window->windowIcon().isNull());
        QCOMPARE(m_window->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(m_window->font().pointSizeF(), 8.25);
    }

    void childrenInCreationOrder()
    {
        QStringList order;
        for (QObject *object : m_window->children())
            if (object->isWidgetType())
                order << object->objectName();
        QCOMPARE(order, (QStringList{"semaFrame",  "mersFrame",  "gatoFrame", "polybeFrame", "caesarFrame",
                                     "alphaFrame", "morseFrame", "mainFrame", "semaIm",      "mersIm",
                                     "gatoIm",     "Image3",     "caesarIm",  "Image1",      "homeIm",
                                     "closeIm",    "AboutIm",    "writeIm",   "cwebIm",      "morseIm"}));
    }

    // Made at once or once on screen, the window is the same once the user
    // has seen its sections: the same controls in the same order, places,
    // states and names, and the same order for Tab.
    void sameWindowEitherWay()
    {
        const MainWindow::Sections other = m_sections == MainWindow::Sections::BuiltAtOnce
                                               ? MainWindow::Sections::BuiltOnceShown
                                               : MainWindow::Sections::BuiltAtOnce;
        MainWindow window(nullptr, other);
        QVERIFY(showWhole(&window));
        visitEverySection(&window);
        visitEverySection(m_window);
        const QStringList mine = describe(m_window);
        QVERIFY(mine.size() > 100);
        QCOMPARE(describe(&window), mine);
    }

    // A plate clicked before the window has made its sections (at once,
    // before any event is handled) shows a whole section.
    void plateClickedAtOnceShowsAWholeSection_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("box");
        QTest::newRow("Morse") << "morseIm"
                               << "txtMsgMorse";
        QTest::newRow("AlphaNum") << "Image1"
                                  << "alphaTxt";
        QTest::newRow("Semaphore") << "semaIm"
                                   << "txtCodeSema";
    }
    void plateClickedAtOnceShowsAWholeSection()
    {
        QFETCH(QString, plate);
        QFETCH(QString, box);
        MainWindow window(nullptr, m_sections);
        window.show();
        child<ImageButton>(&window, plate)->click();
        const QString section = sectionOfPlate(plate);
        QCOMPARE(window.visibleSection()->objectName(), section);
        auto *message = child<QPlainTextEdit>(&window, box);
        QVERIFY(message);
        QVERIFY(message->isVisible());
        QCOMPARE(message->parentWidget()->objectName(), section);
        QVERIFY(!MainWindow::messageText(message).isEmpty());
        QCOMPARE(window.visibleSection()->findChildren<QPushButton *>().isEmpty(), false);
    }

    void controlsWhereDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("home section") << "mainFrame"
                                      << "frmMain" << QRect(2160, 1200, 8175, 5055);
        for (const QString &section : kSections.mid(1))
            QTest::newRow(qPrintable(section)) << section << "frmMain" << QRect(2040, 1080, 8415, 5175);
        QTest::newRow("banner") << "VelmoraWinIm"
                                << "mainFrame" << QRect(1560, 120, 5160, 1515);
        QTest::newRow("welcome") << "accueilTxt"
                                 << "mainFrame" << QRect(360, 1800, 7455, 3135);
        QTest::newRow("morseIm") << "morseIm"
                                 << "frmMain" << QRect(120, 1200, 1845, 600);
        QTest::newRow("semaIm") << "semaIm"
                                << "frmMain" << QRect(120, 5520, 1845, 600);
        QTest::newRow("homeIm") << "homeIm"
                                << "frmMain" << QRect(2280, 120, 915, 915);
        QTest::newRow("closeIm") << "closeIm"
                                 << "frmMain" << QRect(9360, 120, 915, 915);
        QTest::newRow("message box") << "caesarCode"
                                     << "caesarFrame" << QRect(240, 2640, 7935, 2295);
        QTest::newRow("narrow Semaphore box") << "txtCodeSema"
                                              << "semaFrame" << QRect(240, 2640, 7815, 2295);
        QTest::newRow("clear button") << "cmdEffacep"
                                      << "polybeFrame" << QRect(3960, 2160, 1215, 375);
        QTest::newRow("coding button") << "cmdCodeGato"
                                       << "gatoFrame" << QRect(5760, 2160, 1215, 375);
        QTest::newRow("Semaphore coding button") << "cmdCodeS"
                                                 << "semaFrame" << QRect(5880, 2160, 1215, 375);
        QTest::newRow("Morse clear") << "cmdEffaceMorse"
                                     << "morseFrame" << QRect(3360, 2160, 1335, 375);
        QTest::newRow("Morse coder") << "cmdCodeMorse"
                                     << "morseFrame" << QRect(4920, 2160, 1335, 375);
        QTest::newRow("Morse 2") << "cmdCodeMorse2"
                                 << "morseFrame" << QRect(6480, 2160, 1335, 375);
        QTest::newRow("info text") << "Text1"
                                   << "mersFrame" << QRect(3000, 360, 4935, 1575);
        QTest::newRow("picture") << "imInfoSema"
                                 << "semaFrame" << QRect(480, 360, 1995, 1995);
        QTest::newRow("combo") << "cboAlphaNum"
                               << "alphaFrame" << QRect(720, 840, 1695, 315);
        QTest::newRow("AlphaNum coder") << "cmdAlphaNumOK"
                                        << "alphaFrame" << QRect(1080, 1320, 855, 375);
        QTest::newRow("AlphaNum info") << "desANtxt"
                                       << "alphaFrame" << QRect(3000, 360, 4935, 1935);
    }
    void controlsWhereDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, parentName);
        QFETCH(QRect, twips);
        QWidget *control = child<QWidget>(m_window, name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->parentWidget()->objectName(), parentName);
        QCOMPARE(control->geometry(), twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    void picturesShownAtNaturalSize()
    {
        // The drawings fill their controls exactly: 133 x 133 pictures,
        // 123 x 40 plates, 61 x 61 icons and the 344 x 101 banner.
        const auto pictures = m_window->findChildren<PictureBox *>();
        QCOMPARE(pictures.size(), 7);
        for (PictureBox *picture : pictures) {
            QVERIFY2(picture->hasPicture(), qPrintable(picture->objectName()));
            QCOMPARE(pictureNaturalSize(picture->picturePath()), picture->size());
            QVERIFY(!picture->accessibleName().isEmpty());
        }
        for (ImageButton *image : m_window->findChildren<ImageButton *>()) {
            QVERIFY2(image->hasPicture(), qPrintable(image->objectName()));
            QCOMPARE(pictureNaturalSize(image->picturePath()), image->size());
        }
    }

    void sectionCaptions_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("caption");
        QTest::newRow("home") << "mainFrame"
                              << "";
        QTest::newRow("Morse") << "morseFrame"
                               << "VelmoraWin - Morse";
        QTest::newRow("AlphaNum") << "alphaFrame"
                                  << "VelmoraWin - AlphaNumérique";
        QTest::newRow("Caesar") << "caesarFrame"
                                << "VelmoraWin - Caesar";
        QTest::newRow("Polybius") << "polybeFrame"
                                  << "VelmoraWin - Polybius";
        QTest::newRow("Gato") << "gatoFrame"
                              << "VelmoraWin + Web - Gato";
        QTest::newRow("Code des Mers") << "mersFrame"
                                       << "VelmoraWin + Web - Code des Mers";
        QTest::newRow("Semaphore, as spelled") << "semaFrame"
                                               << "VelmoraWin + Web - Code Sémpahore";
    }
    void sectionCaptions()
    {
        QFETCH(QString, section);
        QFETCH(QString, caption);
        auto *frame = child<SectionFrame>(m_window, section);
        QCOMPARE(frame->title(), caption);
        QCOMPARE(frame->captionColour(), QColor(0, 255, 0));
        QCOMPARE(frame->captionFont().bold(), true);
        QCOMPARE(frame->captionFont().pointSizeF(), 8.25);
        QCOMPARE(frame->backgroundColour(), m_window->palette().color(QPalette::Highlight));
    }

    void textColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        const QColor infoBack(64, 64, 64);
        QTest::newRow("Morse info") << "morsetxt" << QColor(255, 192, 128) << infoBack;
        QTest::newRow("Caesar info") << "infocatxt" << QColor(192, 192, 192) << infoBack;
        QTest::newRow("AlphaNum info") << "desANtxt" << QColor(192, 192, 192) << infoBack;
        QTest::newRow("Polybius info") << "infoPolybeTxt" << QColor(128, 128, 128) << infoBack;
        QTest::newRow("Gato info") << "infoGatoTxt" << QColor(128, 128, 128) << infoBack;
        QTest::newRow("message box") << "polybeCode" << QApplication::palette().color(QPalette::Highlight)
                                     << QApplication::palette().color(QPalette::Base);
        QTest::newRow("combo box") << "cboAlphaNum" << QApplication::palette().color(QPalette::Highlight)
                                   << QColor(255, 224, 192);
    }
    void textColours()
    {
        QFETCH(QString, name);
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        QWidget *widget = child<QWidget>(m_window, name);
        const QPalette::ColorGroup group = widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
        QCOMPARE(widget->palette().color(group, QPalette::Text), text);
        QCOMPARE(widget->palette().color(group, QPalette::Base), background);
    }

    void cursorsWithTheirHotSpots_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cursor"); // the drawing, as hotspots.txt names it
        QTest::newRow("window background: 1") << "frmMain"
                                              << "cursor1-ok";
        QTest::newRow("message box: 2") << "txtMsgMorse"
                                        << "cursor2-ibeam-pen";
        QTest::newRow("coding button: 3") << "cmdCodePolybe"
                                          << "cursor3-ok-side";
        QTest::newRow("Morse 2 button: 3") << "cmdCodeMorse2"
                                           << "cursor3-ok-side";
        QTest::newRow("clear button: 4") << "cmdEffaceS"
                                         << "cursor4-ok";
        QTest::newRow("plate: 5") << "gatoIm"
                                  << "cursor5-crosshair-pen";
        QTest::newRow("combo box: 5") << "cboAlphaNum"
                                      << "cursor5-crosshair-pen";
        QTest::newRow("command icon: 6") << "AboutIm"
                                         << "cursor6-point-up";
        QTest::newRow("Morse coder: 7") << "cmdCodeMorse"
                                        << "cursor7-open-hand";
    }
    void cursorsWithTheirHotSpots()
    {
        QFETCH(QString, name);
        QFETCH(QString, cursor);
        const QPoint hotSpot = uitest::designHotSpot(cursor);
        QVERIFY(hotSpot != QPoint(-1, -1));
        QWidget *widget = name == QLatin1String("frmMain") ? m_window : child<QWidget>(m_window, name);
        if (auto *box = qobject_cast<QPlainTextEdit *>(widget))
            widget = box->viewport();
        QCOMPARE(widget->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(widget->cursor().hotSpot(), hotSpot);
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            QCOMPARE(combo->lineEdit()->cursor().hotSpot(), hotSpot);
    }

    void sectionsShowTheArrow()
    {
        // The window's cursor is for its background; frames, pictures and
        // info texts show the standard arrow.
        for (const QString &name : {QStringLiteral("morseFrame"), QStringLiteral("smorseIm"),
                                    QStringLiteral("morsetxt"), QStringLiteral("VelmoraWinIm")})
            QCOMPARE(child<QWidget>(m_window, name)->cursor().shape(), Qt::ArrowCursor);
    }

    // ----------------------------------------------------------------------
    void eachPlateShowsItsSection_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("visible");
        for (const auto &pair : kPlates)
            QTest::newRow(qPrintable(pair.first)) << QStringList{pair.first} << pair.second;
        QTest::newRow("same plate twice") << QStringList{"caesarIm", "caesarIm"} << "caesarFrame";
        QTest::newRow("home after Semaphore") << QStringList{"semaIm", "homeIm"} << "mainFrame";
        QTest::newRow("Morse then Caesar") << QStringList{"morseIm", "caesarIm"} << "caesarFrame";
        QTest::newRow("Gato, Mers, AlphaNum, Polybius")
            << QStringList{"gatoIm", "mersIm", "Image1", "Image3"} << "polybeFrame";
        QTest::newRow("every plate, then Morse")
            << QStringList{"homeIm", "semaIm", "mersIm", "gatoIm", "Image3", "caesarIm", "Image1", "morseIm"}
            << "morseFrame";
    }
    void eachPlateShowsItsSection()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, visible);
        for (const QString &plate : clicks)
            clickPlate(plate);
        QCOMPARE(visibleSections(), QStringList{visible});
    }

    void exactlyOneSectionAfterAnySequence()
    {
        QRandomGenerator random(20240917);
        for (int i = 0; i < 200; ++i) {
            const QString plate = kPlates[random.bounded(int(kPlates.size()))].first;
            clickPlate(plate);
            QCOMPARE(visibleSections(), QStringList{sectionOfPlate(plate)});
        }
    }

    void homeBringsBackTheWelcome()
    {
        clickPlate(QStringLiteral("Image3"));
        QVERIFY(!child<QWidget>(m_window, QStringLiteral("accueilTxt"))->isVisible());
        clickPlate(QStringLiteral("homeIm"));
        QVERIFY(child<QWidget>(m_window, QStringLiteral("accueilTxt"))->isVisible());
        QVERIFY(child<QWidget>(m_window, QStringLiteral("VelmoraWinIm"))->isVisible());
    }

    void typedTextSurvivesNavigation()
    {
        clickPlate(QStringLiteral("caesarIm"));
        auto *box = child<QPlainTextEdit>(m_window, QStringLiteral("caesarCode"));
        uitest::typeMessage(box, QStringLiteral("Ave César\r\nsalut"));
        auto *alpha = child<QComboBox>(m_window, QStringLiteral("cboAlphaNum"));
        clickPlate(QStringLiteral("Image1"));
        uitest::typeInCombo(alpha, QStringLiteral("'Cassis'"));
        clickPlate(QStringLiteral("morseIm"));
        clickPlate(QStringLiteral("homeIm"));
        clickPlate(QStringLiteral("caesarIm"));
        QCOMPARE(MainWindow::messageText(box), QStringLiteral("Ave César\r\nsalut"));
        QCOMPARE(alpha->currentText(), QStringLiteral("'Cassis'"));
    }

    void clearButtonsEmptyTheirBox_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::newRow("Morse") << "morseIm"
                               << "cmdEffaceMorse"
                               << "txtMsgMorse";
        QTest::newRow("Caesar") << "caesarIm"
                                << "cmdEfface"
                                << "caesarCode";
        QTest::newRow("Polybius") << "Image3"
                                  << "cmdEffacep"
                                  << "polybeCode";
        QTest::newRow("Gato") << "gatoIm"
                              << "cmdEffaceGato"
                              << "txtCodeGato";
        QTest::newRow("Code des Mers") << "mersIm"
                                       << "cmdEffaceM"
                                       << "Text2";
        QTest::newRow("Semaphore") << "semaIm"
                                   << "cmdEffaceS"
                                   << "txtCodeSema";
    }
    void clearButtonsEmptyTheirBox()
    {
        QFETCH(QString, plate);
        QFETCH(QString, button);
        QFETCH(QString, box);
        // Everything else keeps its text.
        QMap<QString, QString> before;
        for (QPlainTextEdit *other : m_window->findChildren<QPlainTextEdit *>())
            before[other->objectName()] = MainWindow::messageText(other);

        clickPlate(plate);
        auto *message = child<QPlainTextEdit>(m_window, box);
        uitest::typeMessage(message, QStringLiteral("deux\r\nlignes"));
        uitest::click(child<QPushButton>(m_window, button));
        QCOMPARE(MainWindow::messageText(message), QString()); // empty, not "Votre Message ICI"
        for (QPlainTextEdit *other : m_window->findChildren<QPlainTextEdit *>())
            if (other != message)
                QCOMPARE(MainWindow::messageText(other), before[other->objectName()]);

        // Emptying is one editing step that Ctrl+Z takes back.
        message->setFocus();
        QTest::keyClick(message, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(MainWindow::messageText(message), QStringLiteral("deux\r\nlignes"));
    }

    // ----------------------------------------------------------------------
    void focusMovesThroughTheVisibleSection_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Morse") << "morseIm"
                               << QStringList{"txtMsgMorse", "cmdCodeMorse", "cmdDecodeMorse", "cmdEffaceMorse",
                                              "cmdCodeMorse2"};
        QTest::newRow("AlphaNum") << "Image1"
                                  << QStringList{"alphaTxt", "cboAlphaNum", "cmdAlphaNumOK", "cmdAlphaNumDecode"};
        QTest::newRow("Caesar") << "caesarIm" << QStringList{"caesarCode", "cmdEfface", "cmdCode", "cmdDecodeCaesar"};
        QTest::newRow("Polybius") << "Image3"
                                  << QStringList{"polybeCode", "cmdEffacep", "cmdCodePolybe", "cmdDecodePolybe"};
        QTest::newRow("Gato") << "gatoIm" << QStringList{"cmdEffaceGato", "cmdCodeGato", "txtCodeGato"};
        QTest::newRow("Code des Mers") << "mersIm" << QStringList{"cmdEffaceM", "cmdCodeM", "Text2"};
        QTest::newRow("Semaphore") << "semaIm" << QStringList{"cmdEffaceS", "cmdCodeS", "txtCodeSema"};
    }
    void focusMovesThroughTheVisibleSection()
    {
        QFETCH(QString, plate);
        QFETCH(QStringList, order);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        clickPlate(plate);
        child<QWidget>(m_window, order.first())->setFocus(Qt::TabFocusReason);

        // Two rounds of Tab: through the section in order, then around again.
        auto focusName = []() -> QString {
            QWidget *focus = QApplication::focusWidget();
            if (!focus)
                return QStringLiteral("<none>");
            if (qobject_cast<QLineEdit *>(focus) && qobject_cast<QComboBox *>(focus->parentWidget()))
                return focus->parentWidget()->objectName();
            return focus->objectName();
        };
        QStringList seen;
        for (int i = 0; i < 2 * order.size(); ++i) {
            seen << focusName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, order + order);
    }

    void picturesAndInfoTextsTakeNoFocus()
    {
        for (ImageButton *image : m_window->findChildren<ImageButton *>())
            QCOMPARE(image->focusPolicy(), Qt::NoFocus);
        for (PictureBox *picture : m_window->findChildren<PictureBox *>())
            QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
    }

    // ----------------------------------------------------------------------
    void assistiveToolsCanReadAndPressEverything()
    {
        QAccessible::setActive(true);
        // Images that act as buttons are push buttons named by their tooltip.
        for (ImageButton *image : m_window->findChildren<ImageButton *>()) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(image);
            QVERIFY(face);
            QCOMPARE(face->role(), QAccessible::Button);
            QCOMPARE(face->text(QAccessible::Name), image->toolTip());
            QVERIFY(face->actionInterface());
            QVERIFY(face->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        }
        // Every control a person can use has a name.
        for (QWidget *widget : m_window->findChildren<QWidget *>()) {
            const bool usable = widget->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton *>(widget);
            if (!usable || qobject_cast<QLineEdit *>(widget) || widget->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(
                face && !face->text(QAccessible::Name).isEmpty(),
                qPrintable(widget->objectName() + QLatin1Char(' ') + QLatin1String(widget->metaObject()->className())));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(child<QWidget>(m_window, "Text2"))->text(QAccessible::Name),
                 QStringLiteral("Message"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(child<QWidget>(m_window, "cmdCodeMorse2"))->text(QAccessible::Name),
            QStringLiteral("Morse 2"));
        QCOMPARE(QAccessible::queryAccessibleInterface(m_window)->text(QAccessible::Name),
                 QStringLiteral("VelmoraWin III"));

        // Pressing a plate through its accessible action switches sections.
        QAccessibleInterface *plate = QAccessible::queryAccessibleInterface(child<QWidget>(m_window, "mersIm"));
        plate->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(visibleSections(), QStringList{QStringLiteral("mersFrame")});
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int status = 0;
    for (MainWindow::Sections sections : {MainWindow::Sections::BuiltAtOnce, MainWindow::Sections::BuiltOnceShown}) {
        TestMainWindow test(sections);
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}
#include "tst_mainwindow.moc"
