#include "ui/frmmain.h"

#include "engine/codes.h"
#include "ui/cursors.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/program.h"
#include "ui/resultview.h"
#include "ui/textboxes.h"
#include "ui/texts.h"
#include "ui/twips.h"
#include "ui/widgets.h"
#include "ui/windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QThread>

#include <memory>

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

QCursor designCursor(int number)
{
    return velmoraCursor(static_cast<VelmoraCursor>(number));
}

} // namespace

FrmMain::FrmMain(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    ensureUiResources();
    build();
}

FrmMain::~FrmMain()
{
    // A coding still under way works on its own copy of the message: it is
    // only waited for (at most a second or two for the longest messages).
    for (QThread *thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
    if (m_pendingShown)
        setBusy(false);
    // The result and help windows have no owner window; they go with the
    // main window.
    delete m_result.data();
    delete m_help.data();
}

QString FrmMain::messageText(const QPlainTextEdit *box)
{
    return velmora::messageText(box);
}

// ---------------------------------------------------------------------------
// Building the window

void FrmMain::build()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(texts::mainCaption());
    setAccessibleName(QStringLiteral("VelmoraWin III"));
    setWindowIcon(pictureIcon(picturePath(QStringLiteral("icon-main.svg"))));
    setFont(designFont(8.25));
    setFixedSize(twipsSize(10545, 6360));
    setCursor(designCursor(1));
    // Closing the main window ends the program (see closeEvent), whatever
    // other window is still open.
    setAttribute(Qt::WA_QuitOnClose, false);

    // Sections, in the window's creation order; the content area shows one.
    m_semaFrame = makeSection(QStringLiteral("semaFrame"),
                              QStringLiteral("VelmoraWin + Web - Code Sémpahore"), false);
    m_txtCodeSema = makeCodeSection(
        m_semaFrame, QStringLiteral("txtCodeSema"), texts::initialMessage(),
        QStringLiteral("txtInfoSema"), texts::semaphoreInfo(), kInfoGrey,
        QStringLiteral("imInfoSema"), QStringLiteral("semaphore.svg"),
        QStringLiteral("Un marin en uniforme tenant deux drapeaux de sémaphore rouge et jaune"),
        false, 7815);
    m_cmdEffaceS = makeButton(m_semaFrame, QStringLiteral("cmdEffaceS"), QStringLiteral("Effacer"),
                              twipsRect(3960, 2160, 1215, 375), 4);
    m_cmdCodeS = makeButton(m_semaFrame, QStringLiteral("cmdCodeS"), QStringLiteral("Coder"),
                            twipsRect(5880, 2160, 1215, 375), 3);

    m_mersFrame = makeSection(QStringLiteral("mersFrame"),
                              QStringLiteral("VelmoraWin + Web - Code des Mers"), false);
    m_Text2 = makeCodeSection(m_mersFrame, QStringLiteral("Text2"), texts::initialMessage(),
                              QStringLiteral("Text1"), texts::mersInfo(), kInfoGrey,
                              QStringLiteral("Image4"), QStringLiteral("mers.svg"),
                              QStringLiteral("Pavillon de la Royal Navy"));
    m_cmdEffaceM = makeButton(m_mersFrame, QStringLiteral("cmdEffaceM"), QStringLiteral("Effacer"),
                              twipsRect(3960, 2160, 1215, 375), 4);
    m_cmdCodeM = makeButton(m_mersFrame, QStringLiteral("cmdCodeM"), QStringLiteral("Coder"),
                            twipsRect(5760, 2160, 1215, 375), 3);

    m_gatoFrame = makeSection(QStringLiteral("gatoFrame"), QStringLiteral("VelmoraWin + Web - Gato"),
                              false);
    m_txtCodeGato = makeCodeSection(
        m_gatoFrame, QStringLiteral("txtCodeGato"), texts::initialMessage(),
        QStringLiteral("infoGatoTxt"), texts::gatoInfo(), kInfoGrey, QStringLiteral("gatoInfoIm"),
        QStringLiteral("gato.svg"), QStringLiteral("Un chaton gris endormi parmi des peluches"));
    m_cmdEffaceGato = makeButton(m_gatoFrame, QStringLiteral("cmdEffaceGato"),
                                 QStringLiteral("Effacer"), twipsRect(3960, 2160, 1215, 375), 4);
    m_cmdCodeGato = makeButton(m_gatoFrame, QStringLiteral("cmdCodeGato"), QStringLiteral("Coder"),
                               twipsRect(5760, 2160, 1215, 375), 3);

    m_polybeFrame = makeSection(QStringLiteral("polybeFrame"), QStringLiteral("VelmoraWin - Polybius"),
                                false);
    m_polybeCode = makeCodeSection(
        m_polybeFrame, QStringLiteral("polybeCode"), texts::initialMessage(),
        QStringLiteral("infoPolybeTxt"), texts::polybeInfo(), kInfoGrey,
        QStringLiteral("polybePic"), QStringLiteral("polybe.svg"),
        QStringLiteral("Statue antique d'un homme barbu drapé dans un manteau"));
    m_cmdEffacep = makeButton(m_polybeFrame, QStringLiteral("cmdEffacep"), QStringLiteral("Effacer"),
                              twipsRect(3960, 2160, 1215, 375), 4);
    m_cmdCodePolybe = makeButton(m_polybeFrame, QStringLiteral("cmdCodePolybe"),
                                 QStringLiteral("Coder"), twipsRect(5760, 2160, 1215, 375), 3);

    m_caesarFrame = makeSection(QStringLiteral("caesarFrame"), QStringLiteral("VelmoraWin - Caesar"),
                                false);
    m_caesarCode = makeCodeSection(m_caesarFrame, QStringLiteral("caesarCode"),
                                   QStringLiteral("Votre Message ICI"), QStringLiteral("infocatxt"),
                                   texts::caesarInfo(), kInfoLightGrey, QStringLiteral("Image2"),
                                   QStringLiteral("caesar.svg"),
                                   QStringLiteral("Tête romaine en marbre"));
    m_cmdEfface = makeButton(m_caesarFrame, QStringLiteral("cmdEfface"), QStringLiteral("Effacer"),
                             twipsRect(3960, 2160, 1215, 375), 4);
    m_cmdCode = makeButton(m_caesarFrame, QStringLiteral("cmdCode"), QStringLiteral("Coder"),
                           twipsRect(5760, 2160, 1215, 375), 3);

    // The AlphaNum section: a combo box to choose the code, no clear button.
    m_alphaFrame = makeSection(QStringLiteral("alphaFrame"),
                               QStringLiteral("VelmoraWin - AlphaNumérique"), false);
    m_alphaTxt = makeMessageBox(m_alphaFrame, QStringLiteral("alphaTxt"), twipsRect(240, 2640, 7935, 2295),
                                texts::initialMessage());
    m_cboAlphaNum = new QComboBox(m_alphaFrame);
    m_cboAlphaNum->setObjectName(QStringLiteral("cboAlphaNum"));
    m_cboAlphaNum->setGeometry(twipsRect(720, 840, 1695, 315));
    m_cboAlphaNum->setEditable(true);
    // The field takes any text; typing neither adds list entries nor
    // completes to one, so what the user typed is what selects the code.
    m_cboAlphaNum->setInsertPolicy(QComboBox::NoInsert);
    m_cboAlphaNum->setCompleter(nullptr);
    m_cboAlphaNum->addItems(alphaNumItemTexts());
    m_cboAlphaNum->setCurrentIndex(-1);
    m_cboAlphaNum->setEditText(QStringLiteral("Coder en..."));
    m_cboAlphaNum->setFont(designFont(8.25, QFont::Bold));
    m_cboAlphaNum->setAccessibleName(QStringLiteral("Code alphanumérique"));
    {
        QPalette palette = m_cboAlphaNum->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Base, kComboBackground);
            palette.setColor(group, QPalette::Text, QApplication::palette().color(QPalette::Highlight));
        }
        m_cboAlphaNum->setPalette(palette);
    }
    m_cboAlphaNum->setCursor(designCursor(5));
    m_cboAlphaNum->view()->setAccessibleName(m_cboAlphaNum->accessibleName());
    if (QLineEdit *field = m_cboAlphaNum->lineEdit()) {
        field->setCursor(designCursor(5));
        field->setAccessibleName(m_cboAlphaNum->accessibleName());
    }
    m_cmdAlphaNumOK = makeButton(m_alphaFrame, QStringLiteral("cmdAlphaNumOK"),
                                 QStringLiteral("Coder !"), twipsRect(1080, 1320, 855, 375), 3);
    makeInfoText(m_alphaFrame, QStringLiteral("desANtxt"), twipsRect(3000, 360, 4935, 1935),
                 texts::alphaNumInfo(), kInfoLightGrey, kInfoBackground,
                 QStringLiteral("Les codes alphanumériques"));

    // The Morse section: three buttons, "Coder" and "Morse 2" share the box.
    m_morseFrame = makeSection(QStringLiteral("morseFrame"), QStringLiteral("VelmoraWin - Morse"), false);
    m_txtMsgMorse = makeCodeSection(m_morseFrame, QStringLiteral("txtMsgMorse"),
                                    texts::initialMessage(), QStringLiteral("morsetxt"),
                                    texts::morseInfo(), kMorseInfoColour, QStringLiteral("smorseIm"),
                                    QStringLiteral("smorse.svg"),
                                    QStringLiteral("Portrait de Samuel Morse"));
    m_cmdEffaceMorse = makeButton(m_morseFrame, QStringLiteral("cmdEffaceMorse"),
                                  QStringLiteral("Effacer"), twipsRect(3360, 2160, 1335, 375), 4);
    m_cmdCodeMorse = makeButton(m_morseFrame, QStringLiteral("cmdCodeMorse"), QStringLiteral("Coder"),
                                twipsRect(4920, 2160, 1335, 375), 7);
    m_cmdCodeMorse2 = makeButton(m_morseFrame, QStringLiteral("cmdCodeMorse2"),
                                 QStringLiteral("Morse 2"), twipsRect(6480, 2160, 1335, 375), 3);

    // The home section: the banner and the welcome text.
    m_mainFrame = makeSection(QStringLiteral("mainFrame"), QString(), true);
    {
        auto *banner = new PictureBox(picturePath(QStringLiteral("banner.svg")),
                                      QStringLiteral("VelmoraWin III"), m_mainFrame);
        banner->setObjectName(QStringLiteral("VelmoraWinIm"));
        banner->setGeometry(twipsRect(1560, 120, 5160, 1515));
        banner->setCursor(Qt::ArrowCursor);
        makeInfoText(m_mainFrame, QStringLiteral("accueilTxt"), twipsRect(360, 1800, 7455, 3135),
                     texts::welcome(), kWelcomeText, windowFrameColour(), QStringLiteral("Bienvenue"));
    }

    // Navigation plates and command icons, in creation order.
    m_semaIm = makeNavigationImage(QStringLiteral("semaIm"), QStringLiteral("nav-semaphore.svg"),
                                   5520, QStringLiteral("Le Sémaphore"));
    m_mersIm = makeNavigationImage(QStringLiteral("mersIm"), QStringLiteral("nav-mers.svg"), 4800,
                                   QStringLiteral("Le Code des Mers (Royal Army)"));
    m_gatoIm = makeNavigationImage(QStringLiteral("gatoIm"), QStringLiteral("nav-gato.svg"), 4080,
                                   QStringLiteral("Le Code du \"Chat\""));
    m_Image3 = makeNavigationImage(QStringLiteral("Image3"), QStringLiteral("nav-polybius.svg"),
                                   3360, QStringLiteral("Code de Polybius"));
    m_caesarIm = makeNavigationImage(QStringLiteral("caesarIm"), QStringLiteral("nav-caesar.svg"),
                                     2640, QStringLiteral("Code de Jules César"));
    m_Image1 = makeNavigationImage(QStringLiteral("Image1"), QStringLiteral("nav-alphanum.svg"), 1920,
                                   QStringLiteral("Codes Alpha-Numériques"));
    m_homeIm = makeCommandIcon(QStringLiteral("homeIm"), QStringLiteral("cmd-home.svg"), 2280,
                               QStringLiteral("Fenêtre d'accueil"));
    m_closeIm = makeCommandIcon(QStringLiteral("closeIm"), QStringLiteral("cmd-close.svg"), 9360,
                                QStringLiteral("Fermer Velmora"));
    m_AboutIm = makeCommandIcon(QStringLiteral("AboutIm"), QStringLiteral("cmd-about.svg"), 8160,
                                QStringLiteral("Aide / Dernière version / Au Sujet De..."));
    m_writeIm = makeCommandIcon(QStringLiteral("writeIm"), QStringLiteral("cmd-write.svg"), 6960,
                                QStringLiteral("Contactez-nous !"));
    m_cwebIm = makeCommandIcon(QStringLiteral("cwebIm"), QStringLiteral("cmd-web.svg"), 5760,
                               QStringLiteral("Velmora sur Internet"));
    m_morseIm = makeNavigationImage(QStringLiteral("morseIm"), QStringLiteral("nav-morse.svg"), 1200,
                                    QStringLiteral("Code Morse"));

    // What each plate shows; Morse, Caesar and Semaphore set the Morse
    // section before the home section.
    connect(m_homeIm, &QAbstractButton::clicked, this, &FrmMain::onHomeImClicked);
    connect(m_morseIm, &QAbstractButton::clicked, this, &FrmMain::onMorseImClicked);
    connect(m_Image1, &QAbstractButton::clicked, this, &FrmMain::onImage1Clicked);
    connect(m_caesarIm, &QAbstractButton::clicked, this, &FrmMain::onCaesarImClicked);
    connect(m_Image3, &QAbstractButton::clicked, this, &FrmMain::onImage3Clicked);
    connect(m_gatoIm, &QAbstractButton::clicked, this, &FrmMain::onGatoImClicked);
    connect(m_mersIm, &QAbstractButton::clicked, this, &FrmMain::onMersImClicked);
    connect(m_semaIm, &QAbstractButton::clicked, this, &FrmMain::onSemaImClicked);
    connect(m_closeIm, &QAbstractButton::clicked, this, &FrmMain::onCloseImClicked);

    connectClear(m_cmdEffaceMorse, m_txtMsgMorse);
    connectClear(m_cmdEfface, m_caesarCode);
    connectClear(m_cmdEffacep, m_polybeCode);
    connectClear(m_cmdEffaceGato, m_txtCodeGato);
    connectClear(m_cmdEffaceM, m_Text2);
    connectClear(m_cmdEffaceS, m_txtCodeSema);

    connect(m_cmdCodeMorse, &QAbstractButton::clicked, this, &FrmMain::onCmdCodeMorseClicked);
    connect(m_cmdCodeMorse2, &QAbstractButton::clicked, this, &FrmMain::onCmdCodeMorse2Clicked);
    connect(m_cmdCode, &QAbstractButton::clicked, this, &FrmMain::onCmdCodeClicked);
    connect(m_cmdCodePolybe, &QAbstractButton::clicked, this, &FrmMain::onCmdCodePolybeClicked);
    connect(m_cmdAlphaNumOK, &QAbstractButton::clicked, this, &FrmMain::onCmdAlphaNumOKClicked);

    setFocusOrder();

    // At start only the home section shows.
    for (SectionFrame *section : {m_semaFrame, m_mersFrame, m_gatoFrame, m_polybeFrame,
                                  m_caesarFrame, m_alphaFrame, m_morseFrame})
        section->setVisible(false);
    m_mainFrame->setVisible(true);

    centreWindow(this);
}

SectionFrame *FrmMain::makeSection(const QString &name, const QString &caption, bool home)
{
    auto *section = new SectionFrame(caption, kCaptionGreen, designFont(8.25, QFont::Bold), QColor(),
                                     this);
    section->setObjectName(name);
    section->setGeometry(home ? twipsRect(2160, 1200, 8175, 5055) : twipsRect(2040, 1080, 8415, 5175));
    // The window's own cursor is for its background only.
    section->setCursor(Qt::ArrowCursor);
    if (home)
        section->setAccessibleName(QStringLiteral("Accueil"));
    return section;
}

ImageButton *FrmMain::makeNavigationImage(const QString &name, const QString &picture, int top,
                                          const QString &toolTip)
{
    auto *image = new ImageButton(picturePath(picture), toolTip, this);
    image->setObjectName(name);
    image->setGeometry(twipsRect(120, top, 1845, 600));
    image->setCursor(designCursor(5));
    return image;
}

ImageButton *FrmMain::makeCommandIcon(const QString &name, const QString &picture, int left,
                                      const QString &toolTip)
{
    auto *image = new ImageButton(picturePath(picture), toolTip, this);
    image->setObjectName(name);
    image->setGeometry(twipsRect(left, 120, 915, 915));
    image->setCursor(designCursor(6));
    return image;
}

QPushButton *FrmMain::makeButton(QWidget *section, const QString &name, const QString &caption,
                                 const QRect &geometry, int cursor)
{
    auto *button = new QPushButton(caption, section);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setCursor(designCursor(cursor));
    button->setAutoDefault(false);
    return button;
}

QPlainTextEdit *FrmMain::makeCodeSection(SectionFrame *section, const QString &boxName,
                                         const QString &initialText, const QString &infoName,
                                         const QString &infoText, const QColor &infoColour,
                                         const QString &pictureName, const QString &picture,
                                         const QString &pictureDescription, bool scrollBar,
                                         int boxWidth)
{
    auto *image = new PictureBox(picturePath(picture), pictureDescription, section);
    image->setObjectName(pictureName);
    image->setGeometry(twipsRect(480, 360, 1995, 1995));
    image->setCursor(Qt::ArrowCursor);
    makeInfoText(section, infoName, twipsRect(3000, 360, 4935, 1575), infoText, infoColour,
                 kInfoBackground, section->title());
    return makeMessageBox(section, boxName, twipsRect(240, 2640, boxWidth, 2295), initialText,
                          scrollBar);
}

void FrmMain::connectClear(QPushButton *button, QPlainTextEdit *box)
{
    connect(button, &QAbstractButton::clicked, box, [box] {
        // Emptied as one editing step, so Ctrl+Z in the box brings the text
        // back.
        QTextCursor cursor(box->document());
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
    });
}

void FrmMain::setFocusOrder()
{
    const QList<QWidget *> order = {
        m_txtMsgMorse,   m_cmdCodeMorse,  m_cmdEffaceMorse, m_cmdCodeMorse2, // Morse
        m_alphaTxt,      m_cboAlphaNum,   m_cmdAlphaNumOK,                   // AlphaNum
        m_caesarCode,    m_cmdEfface,     m_cmdCode,                         // Caesar
        m_polybeCode,    m_cmdEffacep,    m_cmdCodePolybe,                   // Polybius
        m_cmdEffaceGato, m_cmdCodeGato,   m_txtCodeGato,                     // Gato
        m_cmdEffaceM,    m_cmdCodeM,      m_Text2,                           // Code des Mers
        m_cmdEffaceS,    m_cmdCodeS,      m_txtCodeSema,                     // Semaphore
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------------------
// Look and ending

void FrmMain::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the main window through the window system ends the program;
    // the result, help, browser and about windows go with it.
    event->accept();
    endProgram();
}

FrmMorse *FrmMain::resultWindow() const
{
    return m_result && m_result->isVisible() ? m_result.data() : nullptr;
}

HelpMorse2 *FrmMain::helpWindow() const
{
    return m_help.data();
}

SectionFrame *FrmMain::visibleSection() const
{
    for (SectionFrame *section : {m_mainFrame, m_morseFrame, m_alphaFrame, m_caesarFrame,
                                  m_polybeFrame, m_gatoFrame, m_mersFrame, m_semaFrame})
        if (!section->isHidden())
            return section;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Navigation

void FrmMain::showSection(SectionFrame *section, bool morseBeforeHome)
{
    auto show = [section](SectionFrame *frame) { frame->setVisible(frame == section); };
    show(m_gatoFrame);
    if (morseBeforeHome) {
        show(m_morseFrame);
        show(m_mainFrame);
    } else {
        show(m_mainFrame);
        show(m_morseFrame);
    }
    show(m_alphaFrame);
    show(m_caesarFrame);
    show(m_polybeFrame);
    show(m_mersFrame);
    show(m_semaFrame);
}

void FrmMain::onHomeImClicked() { showSection(m_mainFrame, false); }
void FrmMain::onMorseImClicked() { showSection(m_morseFrame, true); }
void FrmMain::onImage1Clicked() { showSection(m_alphaFrame, false); }
void FrmMain::onCaesarImClicked() { showSection(m_caesarFrame, true); }
void FrmMain::onImage3Clicked() { showSection(m_polybeFrame, false); }
void FrmMain::onGatoImClicked() { showSection(m_gatoFrame, false); }
void FrmMain::onMersImClicked() { showSection(m_mersFrame, false); }
void FrmMain::onSemaImClicked() { showSection(m_semaFrame, true); }

void FrmMain::onCloseImClicked()
{
    endProgram();
}

// ---------------------------------------------------------------------------
// Local codes

FrmMorse *FrmMain::obtainResultWindow()
{
    if (m_result && m_result->isVisible())
        return m_result;
    if (m_result) {
        // Closed by the user and not yet gone: it is discarded all the same.
        m_result->deleteLater();
        m_result = nullptr;
    }
    m_result = new FrmMorse();
    centreWindow(m_result, this);
    return m_result;
}

FrmMorse *FrmMain::showResult(const QString &coded, bool morseFontSize)
{
    FrmMorse *window = obtainResultWindow();
    ResultView *box = window->codeMorse();
    box->setPlainText(coded);
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

void FrmMain::codeAndShow(const QString &message, Coder coder, bool morseFontSize, bool help)
{
    const quint64 generation = ++m_codingGeneration; // supersedes a coding under way
    if (message.size() <= kCodedAtOnce) {
        if (m_pendingShown) {
            m_pendingShown = false;
            setBusy(false);
        }
        showCoded(coder(message), morseFontSize, help);
        return;
    }
    auto coded = std::make_shared<QString>();
    QThread *thread = QThread::create([coder = std::move(coder), message, coded] { *coded = coder(message); });
    thread->setObjectName(QStringLiteral("coding"));
    m_threads.append(thread);
    if (!m_pendingShown) {
        m_pendingShown = true;
        setBusy(true);
    }
    connect(thread, &QThread::finished, this, [this, thread, generation, coded, morseFontSize, help] {
        m_threads.removeOne(thread);
        thread->deleteLater();
        if (generation != m_codingGeneration)
            return; // a later click asked for another code
        m_pendingShown = false;
        setBusy(false);
        showCoded(*coded, morseFontSize, help);
    });
    thread->start();
}

void FrmMain::setBusy(bool busy)
{
    // The pointer over the program tells that a code is on its way; the
    // window still answers meanwhile.
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void FrmMain::showCoded(const QString &coded, bool morseFontSize, bool help)
{
    showResult(coded, morseFontSize);
    if (help) {
        if (!m_help)
            m_help = new HelpMorse2();
        m_help->show();
        m_help->raise();
        m_help->activateWindow();
    }
    emit resultShown();
}

void FrmMain::onCmdCodeMorseClicked()
{
    codeAndShow(messageText(m_txtMsgMorse), encodeMorse, true, false);
}

void FrmMain::onCmdCodeMorse2Clicked()
{
    codeAndShow(messageText(m_txtMsgMorse), encodeMorse2, false, true);
}

void FrmMain::onCmdCodeClicked()
{
    codeAndShow(messageText(m_caesarCode), encodeCaesar, false, false);
}

void FrmMain::onCmdCodePolybeClicked()
{
    codeAndShow(messageText(m_polybeCode), encodePolybe, false, false);
}

void FrmMain::onCmdAlphaNumOKClicked()
{
    const AlphaNumCode code = alphaNumCodeFromText(m_cboAlphaNum->currentText());
    codeAndShow(messageText(m_alphaTxt), [code](const QString &message) { return encodeAlphaNum(code, message); },
                false, false);
}

} // namespace velmora
