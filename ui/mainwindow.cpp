#include "ui/mainwindow.h"

#include "engine/codes.h"
#include "ui/backgroundjob.h"
#include "ui/cursors.h"
#include "ui/decoding.h"
#include "ui/fonts.h"
#include "ui/morsehelpwindow.h"
#include "ui/pictures.h"
#include "ui/placement.h"
#include "ui/program.h"
#include "ui/resultview.h"
#include "ui/resultwindow.h"
#include "ui/textboxes.h"
#include "ui/texts.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

namespace velmora {
namespace {

const QColor kCaptionGreen(0, 255, 0);
const QColor kInfoBackground(64, 64, 64);
const QColor kInfoGrey(128, 128, 128);
const QColor kInfoLightGrey(192, 192, 192);
const QColor kMorseInfoColour(255, 192, 128);
const QColor kWelcomeText(192, 192, 255);
const QColor kComboBackground(255, 224, 192);

// The system's window-frame colour: the palette's shadow colour where the
// style makes it dark, black otherwise.
QColor windowFrameColour()
{
    const QColor shadow = QApplication::palette().color(QPalette::Shadow);
    return shadow.lightness() < 64 ? shadow : QColor(Qt::black);
}

} // namespace

MainWindow::MainWindow(QWidget *parent, Sections sections)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    ensureUiResources();
    m_coding = new BackgroundJob(this);
    connect(m_coding, &BackgroundJob::runningChanged, this, &MainWindow::setBusy);
    build(sections);
}

MainWindow::~MainWindow()
{
    // A coding still under way is only waited for (at most a second or two
    // for the longest messages); its result is not shown.
    const bool busy = m_coding->isRunning();
    delete m_coding;
    if (busy)
        setBusy(false);
    // The result and help windows have no owner window; they go with the
    // main window.
    delete m_resultWindow.data();
    delete m_morseHelpWindow.data();
}

QString MainWindow::messageText(const QPlainTextEdit *box)
{
    return velmora::messageText(box);
}

// ---------------------------------------------------------------------------
// Building the window

void MainWindow::build(Sections sections)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(texts::mainCaption());
    setAccessibleName(QStringLiteral("VelmoraWin III"));
    setWindowIcon(pictureIcon(picturePath(QStringLiteral("icon-main.svg"))));
    setFont(designFont(8.25));
    setFixedSize(twipsSize(10545, 6360));
    setCursor(velmoraCursor(VelmoraCursor::OkHand));
    // Closing the main window ends the program (see closeEvent), whatever
    // other window is still open.
    setAttribute(Qt::WA_QuitOnClose, false);

    // Sections, in the window's creation order; the content area shows one.
    m_semaphoreSection =
        makeSection(QStringLiteral("semaFrame"), QStringLiteral("VelmoraWin + Web - Code Sémpahore"), false);
    m_mersSection = makeSection(QStringLiteral("mersFrame"), QStringLiteral("VelmoraWin + Web - Code des Mers"), false);
    m_gatoSection = makeSection(QStringLiteral("gatoFrame"), QStringLiteral("VelmoraWin + Web - Gato"), false);
    m_polybiusSection = makeSection(QStringLiteral("polybeFrame"), QStringLiteral("VelmoraWin - Polybius"), false);
    m_caesarSection = makeSection(QStringLiteral("caesarFrame"), QStringLiteral("VelmoraWin - Caesar"), false);
    m_alphaNumSection = makeSection(QStringLiteral("alphaFrame"), QStringLiteral("VelmoraWin - AlphaNumérique"), false);
    m_morseSection = makeSection(QStringLiteral("morseFrame"), QStringLiteral("VelmoraWin - Morse"), false);
    // The home section: the banner and the welcome text.
    m_homeSection = makeSection(QStringLiteral("mainFrame"), QString(), true);
    {
        auto *banner =
            new PictureBox(picturePath(QStringLiteral("banner.svg")), QStringLiteral("VelmoraWin III"), m_homeSection);
        banner->setObjectName(QStringLiteral("VelmoraWinIm"));
        banner->setGeometry(twipsRect(1560, 120, 5160, 1515));
        banner->setCursor(Qt::ArrowCursor);
        makeInfoText(m_homeSection, QStringLiteral("accueilTxt"), twipsRect(360, 1800, 7455, 3135), texts::welcome(),
                     kWelcomeText, windowFrameColour(), QStringLiteral("Bienvenue"));
    }

    // Navigation plates and command icons, in creation order.
    m_semaphorePlate = makeNavigationImage(QStringLiteral("semaIm"), QStringLiteral("nav-semaphore.svg"), 5520,
                                           QStringLiteral("Le Sémaphore"));
    m_mersPlate = makeNavigationImage(QStringLiteral("mersIm"), QStringLiteral("nav-mers.svg"), 4800,
                                      QStringLiteral("Le Code des Mers (Royal Army)"));
    m_gatoPlate = makeNavigationImage(QStringLiteral("gatoIm"), QStringLiteral("nav-gato.svg"), 4080,
                                      QStringLiteral("Le Code du \"Chat\""));
    m_polybiusPlate = makeNavigationImage(QStringLiteral("Image3"), QStringLiteral("nav-polybius.svg"), 3360,
                                          QStringLiteral("Code de Polybius"));
    m_caesarPlate = makeNavigationImage(QStringLiteral("caesarIm"), QStringLiteral("nav-caesar.svg"), 2640,
                                        QStringLiteral("Code de Jules César"));
    m_alphaNumPlate = makeNavigationImage(QStringLiteral("Image1"), QStringLiteral("nav-alphanum.svg"), 1920,
                                          QStringLiteral("Codes Alpha-Numériques"));
    m_homeIcon = makeCommandIcon(QStringLiteral("homeIm"), QStringLiteral("cmd-home.svg"), 2280,
                                 QStringLiteral("Fenêtre d'accueil"));
    m_quitIcon = makeCommandIcon(QStringLiteral("closeIm"), QStringLiteral("cmd-close.svg"), 9360,
                                 QStringLiteral("Fermer Velmora"));
    m_aboutIcon = makeCommandIcon(QStringLiteral("AboutIm"), QStringLiteral("cmd-about.svg"), 8160,
                                  QStringLiteral("Aide / Dernière version / Au Sujet De..."));
    m_contactIcon = makeCommandIcon(QStringLiteral("writeIm"), QStringLiteral("cmd-write.svg"), 6960,
                                    QStringLiteral("Contactez-nous !"));
    m_siteIcon = makeCommandIcon(QStringLiteral("cwebIm"), QStringLiteral("cmd-web.svg"), 5760,
                                 QStringLiteral("Velmora sur Internet"));
    m_morsePlate = makeNavigationImage(QStringLiteral("morseIm"), QStringLiteral("nav-morse.svg"), 1200,
                                       QStringLiteral("Code Morse"));

    // What each plate shows; Morse, Caesar and Semaphore set the Morse
    // section before the home section.
    connect(m_homeIcon, &QAbstractButton::clicked, this, &MainWindow::onHomeIconClicked);
    connect(m_morsePlate, &QAbstractButton::clicked, this, &MainWindow::onMorsePlateClicked);
    connect(m_alphaNumPlate, &QAbstractButton::clicked, this, &MainWindow::onAlphaNumPlateClicked);
    connect(m_caesarPlate, &QAbstractButton::clicked, this, &MainWindow::onCaesarPlateClicked);
    connect(m_polybiusPlate, &QAbstractButton::clicked, this, &MainWindow::onPolybiusPlateClicked);
    connect(m_gatoPlate, &QAbstractButton::clicked, this, &MainWindow::onGatoPlateClicked);
    connect(m_mersPlate, &QAbstractButton::clicked, this, &MainWindow::onMersPlateClicked);
    connect(m_semaphorePlate, &QAbstractButton::clicked, this, &MainWindow::onSemaphorePlateClicked);
    connect(m_quitIcon, &QAbstractButton::clicked, this, &MainWindow::onQuitIconClicked);

    connectWebIcons();
    installKeyboardShortcuts();

    // At start only the home section shows.
    for (SectionFrame *section : {m_semaphoreSection, m_mersSection, m_gatoSection, m_polybiusSection, m_caesarSection,
                                  m_alphaNumSection, m_morseSection})
        section->setVisible(false);
    m_homeSection->setVisible(true);

    centreWindow(this);
    if (sections == Sections::BuiltAtOnce)
        buildSectionContents();
}

void MainWindow::buildSectionContents()
{
    if (m_sectionContentsBuilt)
        return;
    m_sectionContentsBuilt = true;

    m_semaphoreMessage = makeCodeSection(
        m_semaphoreSection, QStringLiteral("txtCodeSema"), texts::initialMessage(), QStringLiteral("txtInfoSema"),
        texts::semaphoreInfo(), kInfoGrey, QStringLiteral("imInfoSema"), QStringLiteral("semaphore.svg"),
        QStringLiteral("Un marin en uniforme tenant deux drapeaux de sémaphore rouge et jaune"), false, 7815);
    m_semaphoreClearButton = makeButton(m_semaphoreSection, QStringLiteral("cmdEffaceS"), QStringLiteral("Effacer"),
                                        twipsRect(3960, 2160, 1215, 375), VelmoraCursor::OkHandRight);
    m_semaphoreCodeButton = makeButton(m_semaphoreSection, QStringLiteral("cmdCodeS"), QStringLiteral("Coder"),
                                       twipsRect(5880, 2160, 1215, 375), VelmoraCursor::OkHandSide);

    m_mersMessage = makeCodeSection(m_mersSection, QStringLiteral("Text2"), texts::initialMessage(),
                                    QStringLiteral("Text1"), texts::mersInfo(), kInfoGrey, QStringLiteral("Image4"),
                                    QStringLiteral("mers.svg"), QStringLiteral("Pavillon de la Royal Navy"));
    m_mersClearButton = makeButton(m_mersSection, QStringLiteral("cmdEffaceM"), QStringLiteral("Effacer"),
                                   twipsRect(3960, 2160, 1215, 375), VelmoraCursor::OkHandRight);
    m_mersCodeButton = makeButton(m_mersSection, QStringLiteral("cmdCodeM"), QStringLiteral("Coder"),
                                  twipsRect(5760, 2160, 1215, 375), VelmoraCursor::OkHandSide);

    m_gatoMessage =
        makeCodeSection(m_gatoSection, QStringLiteral("txtCodeGato"), texts::initialMessage(),
                        QStringLiteral("infoGatoTxt"), texts::gatoInfo(), kInfoGrey, QStringLiteral("gatoInfoIm"),
                        QStringLiteral("gato.svg"), QStringLiteral("Un chaton gris endormi parmi des peluches"));
    m_gatoClearButton = makeButton(m_gatoSection, QStringLiteral("cmdEffaceGato"), QStringLiteral("Effacer"),
                                   twipsRect(3960, 2160, 1215, 375), VelmoraCursor::OkHandRight);
    m_gatoCodeButton = makeButton(m_gatoSection, QStringLiteral("cmdCodeGato"), QStringLiteral("Coder"),
                                  twipsRect(5760, 2160, 1215, 375), VelmoraCursor::OkHandSide);

    m_polybiusMessage = makeCodeSection(m_polybiusSection, QStringLiteral("polybeCode"), texts::initialMessage(),
                                        QStringLiteral("infoPolybeTxt"), texts::polybeInfo(), kInfoGrey,
                                        QStringLiteral("polybePic"), QStringLiteral("polybe.svg"),
                                        QStringLiteral("Statue antique d'un homme barbu drapé dans un manteau"));
    m_polybiusClearButton = makeButton(m_polybiusSection, QStringLiteral("cmdEffacep"), QStringLiteral("Effacer"),
                                       twipsRect(3960, 2160, 1215, 375), VelmoraCursor::OkHandRight);
    m_polybiusCodeButton = makeButton(m_polybiusSection, QStringLiteral("cmdCodePolybe"), QStringLiteral("Coder"),
                                      twipsRect(5760, 2160, 1215, 375), VelmoraCursor::OkHandSide);

    m_caesarMessage =
        makeCodeSection(m_caesarSection, QStringLiteral("caesarCode"), QStringLiteral("Votre Message ICI"),
                        QStringLiteral("infocatxt"), texts::caesarInfo(), kInfoLightGrey, QStringLiteral("Image2"),
                        QStringLiteral("caesar.svg"), QStringLiteral("Tête romaine en marbre"));
    m_caesarClearButton = makeButton(m_caesarSection, QStringLiteral("cmdEfface"), QStringLiteral("Effacer"),
                                     twipsRect(3960, 2160, 1215, 375), VelmoraCursor::OkHandRight);
    m_caesarCodeButton = makeButton(m_caesarSection, QStringLiteral("cmdCode"), QStringLiteral("Coder"),
                                    twipsRect(5760, 2160, 1215, 375), VelmoraCursor::OkHandSide);

    // The AlphaNum section: a combo box to choose the code, no clear button.
    m_alphaNumMessage = makeMessageBox(m_alphaNumSection, QStringLiteral("alphaTxt"), twipsRect(240, 2640, 7935, 2295),
                                       texts::initialMessage());
    m_alphaNumChoice = new QComboBox(m_alphaNumSection);
    m_alphaNumChoice->setObjectName(QStringLiteral("cboAlphaNum"));
    m_alphaNumChoice->setGeometry(twipsRect(720, 840, 1695, 315));
    m_alphaNumChoice->setEditable(true);
    // The field takes any text; typing neither adds list entries nor
    // completes to one, so what the user typed is what selects the code.
    m_alphaNumChoice->setInsertPolicy(QComboBox::NoInsert);
    m_alphaNumChoice->setCompleter(nullptr);
    m_alphaNumChoice->addItems(alphaNumItemTexts());
    m_alphaNumChoice->setCurrentIndex(-1);
    m_alphaNumChoice->setEditText(QStringLiteral("Coder en..."));
    m_alphaNumChoice->setFont(designFont(8.25, QFont::Bold));
    m_alphaNumChoice->setAccessibleName(QStringLiteral("Code alphanumérique"));
    {
        QPalette palette = m_alphaNumChoice->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Base, kComboBackground);
            palette.setColor(group, QPalette::Text, QApplication::palette().color(QPalette::Highlight));
        }
        m_alphaNumChoice->setPalette(palette);
    }
    m_alphaNumChoice->setCursor(velmoraCursor(VelmoraCursor::PenCrosshair));
    m_alphaNumChoice->view()->setAccessibleName(m_alphaNumChoice->accessibleName());
    if (QLineEdit *field = m_alphaNumChoice->lineEdit()) {
        field->setCursor(velmoraCursor(VelmoraCursor::PenCrosshair));
        field->setAccessibleName(m_alphaNumChoice->accessibleName());
    }
    m_alphaNumCodeButton = makeButton(m_alphaNumSection, QStringLiteral("cmdAlphaNumOK"), QStringLiteral("Coder !"),
                                      twipsRect(1080, 1320, 855, 375), VelmoraCursor::OkHandSide);
    makeInfoText(m_alphaNumSection, QStringLiteral("desANtxt"), twipsRect(3000, 360, 4935, 1935), texts::alphaNumInfo(),
                 kInfoLightGrey, kInfoBackground, QStringLiteral("Les codes alphanumériques"));

    // The Morse section: three buttons, "Coder" and "Morse 2" share the box.
    m_morseMessage =
        makeCodeSection(m_morseSection, QStringLiteral("txtMsgMorse"), texts::initialMessage(),
                        QStringLiteral("morsetxt"), texts::morseInfo(), kMorseInfoColour, QStringLiteral("smorseIm"),
                        QStringLiteral("smorse.svg"), QStringLiteral("Portrait de Samuel Morse"));
    m_morseClearButton = makeButton(m_morseSection, QStringLiteral("cmdEffaceMorse"), QStringLiteral("Effacer"),
                                    twipsRect(3360, 2160, 1335, 375), VelmoraCursor::OkHandRight);
    m_morseCodeButton = makeButton(m_morseSection, QStringLiteral("cmdCodeMorse"), QStringLiteral("Coder"),
                                   twipsRect(4920, 2160, 1335, 375), VelmoraCursor::OpenHand);
    m_morse2Button = makeButton(m_morseSection, QStringLiteral("cmdCodeMorse2"), QStringLiteral("Morse 2"),
                                twipsRect(6480, 2160, 1335, 375), VelmoraCursor::OkHandSide);

    connectClear(m_morseClearButton, m_morseMessage);
    connectClear(m_caesarClearButton, m_caesarMessage);
    connectClear(m_polybiusClearButton, m_polybiusMessage);
    connectClear(m_gatoClearButton, m_gatoMessage);
    connectClear(m_mersClearButton, m_mersMessage);
    connectClear(m_semaphoreClearButton, m_semaphoreMessage);

    connect(m_morseCodeButton, &QAbstractButton::clicked, this, &MainWindow::onMorseCodeClicked);
    connect(m_morse2Button, &QAbstractButton::clicked, this, &MainWindow::onMorse2Clicked);
    connect(m_caesarCodeButton, &QAbstractButton::clicked, this, &MainWindow::onCaesarCodeClicked);
    connect(m_polybiusCodeButton, &QAbstractButton::clicked, this, &MainWindow::onPolybiusCodeClicked);
    connect(m_alphaNumCodeButton, &QAbstractButton::clicked, this, &MainWindow::onAlphaNumCodeClicked);

    connectPictureCodes();

    setFocusOrder();
    buildDecodeButtons();
}

SectionFrame *MainWindow::makeSection(const QString &name, const QString &caption, bool home)
{
    auto *section = new SectionFrame(caption, kCaptionGreen, designFont(8.25, QFont::Bold), QColor(), this);
    section->setObjectName(name);
    section->setGeometry(home ? twipsRect(2160, 1200, 8175, 5055) : twipsRect(2040, 1080, 8415, 5175));
    // The window's own cursor is for its background only.
    section->setCursor(Qt::ArrowCursor);
    if (home)
        section->setAccessibleName(QStringLiteral("Accueil"));
    return section;
}

ImageButton *MainWindow::makeNavigationImage(const QString &name, const QString &picture, int top,
                                             const QString &toolTip)
{
    auto *image = new ImageButton(picturePath(picture), toolTip, this);
    image->setObjectName(name);
    image->setGeometry(twipsRect(120, top, 1845, 600));
    image->setCursor(velmoraCursor(VelmoraCursor::PenCrosshair));
    return image;
}

ImageButton *MainWindow::makeCommandIcon(const QString &name, const QString &picture, int left, const QString &toolTip)
{
    auto *image = new ImageButton(picturePath(picture), toolTip, this);
    image->setObjectName(name);
    image->setGeometry(twipsRect(left, 120, 915, 915));
    image->setCursor(velmoraCursor(VelmoraCursor::PointUp));
    return image;
}

QPushButton *MainWindow::makeButton(QWidget *section, const QString &name, const QString &caption,
                                    const QRect &geometry, VelmoraCursor cursor)
{
    auto *button = new QPushButton(caption, section);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setCursor(velmoraCursor(cursor));
    button->setAutoDefault(false);
    return button;
}

QPlainTextEdit *MainWindow::makeCodeSection(SectionFrame *section, const QString &boxName, const QString &initialText,
                                            const QString &infoName, const QString &infoText, const QColor &infoColour,
                                            const QString &pictureName, const QString &picture,
                                            const QString &pictureDescription, bool scrollBar, int boxWidth)
{
    auto *image = new PictureBox(picturePath(picture), pictureDescription, section);
    image->setObjectName(pictureName);
    image->setGeometry(twipsRect(480, 360, 1995, 1995));
    image->setCursor(Qt::ArrowCursor);
    makeInfoText(section, infoName, twipsRect(3000, 360, 4935, 1575), infoText, infoColour, kInfoBackground,
                 section->title());
    return makeMessageBox(section, boxName, twipsRect(240, 2640, boxWidth, 2295), initialText, scrollBar);
}

void MainWindow::connectClear(QPushButton *button, QPlainTextEdit *box)
{
    connect(button, &QAbstractButton::clicked, box, [box] {
        // Emptied as one editing step, so Ctrl+Z in the box brings the text
        // back.
        QTextCursor cursor(box->document());
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
    });
}

void MainWindow::setFocusOrder()
{
    const QList<QWidget *> order = {
        m_morseMessage,         m_morseCodeButton,     m_morseClearButton,   m_morse2Button, // Morse
        m_alphaNumMessage,      m_alphaNumChoice,      m_alphaNumCodeButton,                 // AlphaNum
        m_caesarMessage,        m_caesarClearButton,   m_caesarCodeButton,                   // Caesar
        m_polybiusMessage,      m_polybiusClearButton, m_polybiusCodeButton,                 // Polybius
        m_gatoClearButton,      m_gatoCodeButton,      m_gatoMessage,                        // Gato
        m_mersClearButton,      m_mersCodeButton,      m_mersMessage,                        // Code des Mers
        m_semaphoreClearButton, m_semaphoreCodeButton, m_semaphoreMessage,                   // Semaphore
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------------------
// Look and ending

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
    // Sections made once the window is on screen: right after its first
    // picture has gone to the display.
    if (!m_sectionContentsBuilt && !m_sectionContentsPosted) {
        m_sectionContentsPosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                QGuiApplication::sync();
                buildSectionContents();
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Should the window not be drawn soon (covered, on a display that waits),
    // its sections are made all the same.
    if (!m_sectionContentsBuilt)
        QTimer::singleShot(250, this, &MainWindow::buildSectionContents);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main window through the window system ends the program;
    // the result, help, browser and about windows go with it.
    event->accept();
    endProgram();
}

ResultWindow *MainWindow::resultWindow() const
{
    return m_resultWindow && m_resultWindow->isVisible() ? m_resultWindow.data() : nullptr;
}

MorseHelpWindow *MainWindow::morseHelpWindow() const
{
    return m_morseHelpWindow.data();
}

SectionFrame *MainWindow::visibleSection() const
{
    for (SectionFrame *section : {m_homeSection, m_morseSection, m_alphaNumSection, m_caesarSection, m_polybiusSection,
                                  m_gatoSection, m_mersSection, m_semaphoreSection})
        if (!section->isHidden())
            return section;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Navigation

void MainWindow::showSection(SectionFrame *section, bool morseBeforeHome)
{
    buildSectionContents();
    auto show = [section](SectionFrame *frame) { frame->setVisible(frame == section); };
    show(m_gatoSection);
    if (morseBeforeHome) {
        show(m_morseSection);
        show(m_homeSection);
    } else {
        show(m_homeSection);
        show(m_morseSection);
    }
    show(m_alphaNumSection);
    show(m_caesarSection);
    show(m_polybiusSection);
    show(m_mersSection);
    show(m_semaphoreSection);
}

void MainWindow::onHomeIconClicked()
{
    showSection(m_homeSection, false);
}
void MainWindow::onMorsePlateClicked()
{
    showSection(m_morseSection, true);
}
void MainWindow::onAlphaNumPlateClicked()
{
    showSection(m_alphaNumSection, false);
}
void MainWindow::onCaesarPlateClicked()
{
    showSection(m_caesarSection, true);
}
void MainWindow::onPolybiusPlateClicked()
{
    showSection(m_polybiusSection, false);
}
void MainWindow::onGatoPlateClicked()
{
    showSection(m_gatoSection, false);
}
void MainWindow::onMersPlateClicked()
{
    showSection(m_mersSection, false);
}
void MainWindow::onSemaphorePlateClicked()
{
    showSection(m_semaphoreSection, true);
}

void MainWindow::onQuitIconClicked()
{
    endProgram();
}

// ---------------------------------------------------------------------------
// Local codes

ResultWindow *MainWindow::obtainResultWindow()
{
    if (m_resultWindow && m_resultWindow->isVisible())
        return m_resultWindow;
    if (m_resultWindow) {
        // Closed by the user and not yet gone: it is discarded all the same.
        m_resultWindow->deleteLater();
        m_resultWindow = nullptr;
    }
    m_resultWindow = new ResultWindow();
    centreWindow(m_resultWindow, this);
    return m_resultWindow;
}

ResultWindow *MainWindow::showResult(const QString &coded, bool morseFontSize, std::optional<CodeId> code)
{
    ResultWindow *window = obtainResultWindow();
    ResultView *box = window->resultBox();
    box->setPlainText(coded);
    window->setSoundCode(code);
    if (morseFontSize) {
        QFont font = box->font();
        font.setPointSizeF(18);
        box->setFont(font);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void MainWindow::codeAndShow(const QString &message, Coder coder, bool morseFontSize, bool help, CodeId code)
{
    if (message.size() <= kCodedAtOnce) {
        m_coding->cancel(); // a long coding still under way is superseded
        showCoded(coder(message), morseFontSize, help, code);
        return;
    }
    // The coding works on its own copy of the message.
    m_coding->start(
        [coder = std::move(coder), message] { return coder(message); },
        [this, morseFontSize, help, code](const QString &coded) { showCoded(coded, morseFontSize, help, code); });
}

bool MainWindow::isCoding() const
{
    return m_coding->isRunning();
}

void MainWindow::setBusy(bool busy)
{
    // The pointer over the program tells that a code is on its way; the
    // window still answers meanwhile.
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::showCoded(const QString &coded, bool morseFontSize, bool help, CodeId code)
{
    showResult(coded, morseFontSize, code)->setCodedCaption(); // after a decoding, the caption says "Codé" again
    if (help) {
        if (!m_morseHelpWindow)
            m_morseHelpWindow = new MorseHelpWindow();
        m_morseHelpWindow->show();
        m_morseHelpWindow->raise();
        m_morseHelpWindow->activateWindow();
    }
    emit resultShown();
}

void MainWindow::onMorseCodeClicked()
{
    codeAndShow(messageText(m_morseMessage), encodeMorse, true, false, CodeId::Morse);
}

void MainWindow::onMorse2Clicked()
{
    codeAndShow(messageText(m_morseMessage), encodeMorse2, false, true, CodeId::Morse2);
}

void MainWindow::onCaesarCodeClicked()
{
    codeAndShow(messageText(m_caesarMessage), encodeCaesar, false, false, CodeId::Caesar);
}

void MainWindow::onPolybiusCodeClicked()
{
    codeAndShow(messageText(m_polybiusMessage), encodePolybe, false, false, CodeId::Polybe);
}

void MainWindow::onAlphaNumCodeClicked()
{
    const AlphaNumCode code = alphaNumCodeFromText(m_alphaNumChoice->currentText());
    codeAndShow(
        messageText(m_alphaNumMessage), [code](const QString &message) { return encodeAlphaNum(code, message); }, false,
        false, codeIdOf(code));
}

// ---------------------------------------------------------------------------
// Decoding

void MainWindow::buildDecodeButtons()
{
    // Each "Décoder" button looks like its section's own buttons (height,
    // width where there is room, font, the coding button's cursor) and
    // stands on their row or under "Coder !", where it covers nothing; it
    // comes right after the coding button when Tab moves through the section.
    auto make = [this](QWidget *section, const QString &name, const QRect &geometry, VelmoraCursor cursor,
                       const QString &toolTip, QPushButton *after) {
        QPushButton *button = makeButton(section, name, QStringLiteral("Décoder"), geometry, cursor);
        button->setToolTip(toolTip);
        button->setAccessibleName(button->text());
        setTabOrder(after, button);
        return button;
    };
    // Morse: between the portrait and "Effacer", the one gap of the row
    // (the row's three design buttons leave no room for a fourth as wide).
    m_morseDecodeButton =
        make(m_morseSection, QStringLiteral("cmdDecodeMorse"), twipsRect(2535, 2160, 765, 375), VelmoraCursor::OpenHand,
             QStringLiteral("Remettre en clair un message en Morse ou en Morse 2"), m_morseCodeButton);
    // AlphaNum: under "Coder !", as wide.
    m_alphaNumDecodeButton = make(m_alphaNumSection, QStringLiteral("cmdAlphaNumDecode"),
                                  twipsRect(1080, 1860, 855, 375), VelmoraCursor::OkHandSide,
                                  QStringLiteral("Remettre le message en clair avec le code choisi "
                                                 "(sans code choisi, le code est deviné)"),
                                  m_alphaNumCodeButton);
    // Caesar and Polybius: between the picture and "Effacer".
    m_caesarDecodeButton = make(m_caesarSection, QStringLiteral("cmdDecodeCaesar"), twipsRect(2610, 2160, 1215, 375),
                                VelmoraCursor::OkHandSide, QStringLiteral("Remettre en clair un message codé en César"),
                                m_caesarCodeButton);
    m_polybiusDecodeButton =
        make(m_polybiusSection, QStringLiteral("cmdDecodePolybe"), twipsRect(2610, 2160, 1215, 375),
             VelmoraCursor::OkHandSide, QStringLiteral("Remettre en clair un message codé avec le carré de Polybe"),
             m_polybiusCodeButton);

    connect(m_morseDecodeButton, &QAbstractButton::clicked, this, &MainWindow::onMorseDecodeClicked);
    connect(m_alphaNumDecodeButton, &QAbstractButton::clicked, this, &MainWindow::onAlphaNumDecodeClicked);
    connect(m_caesarDecodeButton, &QAbstractButton::clicked, this, &MainWindow::onCaesarDecodeClicked);
    connect(m_polybiusDecodeButton, &QAbstractButton::clicked, this, &MainWindow::onPolybiusDecodeClicked);
}

void MainWindow::decodeAndShow(const QString &message, DecodeFunction decodeFunction)
{
    // The same threshold and the same job as a coding.
    if (message.size() <= kCodedAtOnce) {
        m_coding->cancel();
        showDecoded(decodeFunction(message));
        return;
    }
    m_coding->start([decodeFunction = std::move(decodeFunction), message] { return decodeFunction(message); },
                    [this](const Decoding &decoding) { showDecoded(decoding); });
}

void MainWindow::showDecoded(const Decoding &decoding)
{
    showResult(decoding.text, false, std::nullopt)->setDecodedCaption(decoding.details);
    emit resultShown();
}

void MainWindow::onMorseDecodeClicked()
{
    decodeAndShow(messageText(m_morseMessage), decodeMorseOrMorse2);
}

void MainWindow::onAlphaNumDecodeClicked()
{
    // A code chosen in the list (or its name typed exactly) decodes; any
    // other text of the field, "Coder en..." first, means the code is to be
    // guessed.
    const QString choice = m_alphaNumChoice->currentText();
    if (!alphaNumItemTexts().contains(choice)) {
        decodeAndShow(messageText(m_alphaNumMessage), decodeGuessed);
        return;
    }
    const CodeId code = codeIdOf(alphaNumCodeFromText(choice));
    decodeAndShow(messageText(m_alphaNumMessage),
                  [code](const QString &message) { return decodeWith(code, message, true); });
}

void MainWindow::onCaesarDecodeClicked()
{
    decodeAndShow(messageText(m_caesarMessage),
                  [](const QString &message) { return decodeWith(CodeId::Caesar, message); });
}

void MainWindow::onPolybiusDecodeClicked()
{
    decodeAndShow(messageText(m_polybiusMessage),
                  [](const QString &message) { return decodeWith(CodeId::Polybe, message); });
}

// ---------------------------------------------------------------------------
// Web requests

void MainWindow::connectPictureCodes()
{
    const struct {
        QPushButton *button;
        QPlainTextEdit *box;
        PictureCode code;
    } pictureCodes[] = {
        {m_gatoCodeButton, m_gatoMessage, PictureCode::Gato},
        {m_mersCodeButton, m_mersMessage, PictureCode::Mers},
        {m_semaphoreCodeButton, m_semaphoreMessage, PictureCode::Semaphore},
    };
    for (const auto &p : pictureCodes) {
        connect(p.button, &QAbstractButton::clicked, this,
                [this, box = p.box, code = p.code] { emit pictureCodeRequested(code, messageText(box)); });
    }
}

void MainWindow::connectWebIcons()
{
    connect(m_siteIcon, &QAbstractButton::clicked, this, &MainWindow::sitePageRequested);
    connect(m_contactIcon, &QAbstractButton::clicked, this, &MainWindow::contactPageRequested);
    connect(m_aboutIcon, &QAbstractButton::clicked, this, &MainWindow::aboutRequested);
}

} // namespace velmora
