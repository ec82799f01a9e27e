// The main window "frmMain": seven navigation plates on the left, five command
// icons along the top, and eight sections of which exactly one is visible.
// The local codes are coded here; for the picture codes, the site links and
// the about window it only says what the user asks for, through the request
// signals below (the web features that answer them are no concern of it).
#pragma once

#include "engine/codes.h"
#include "ui/picturecode.h"

#include <optional>

#include <QPointer>
#include <QWidget>

#include <functional>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

class ResultWindow;
class MorseHelpWindow;
enum class VelmoraCursor;
class BackgroundJob;
class ImageButton;
class PictureBox;
class SectionFrame;
struct Decoding;

class MainWindow : public QWidget
{
    Q_OBJECT
public:
    // When the controls of the seven code sections are made: with the
    // window, or once it is on screen (hidden until a plate is clicked, they
    // are not needed for the first picture, which then comes sooner). Either
    // way the window is the same by the time the user can click in it: the
    // same controls in the same order, and a section is complete whenever
    // it shows.
    enum class Sections { BuiltAtOnce, BuiltOnceShown };
    explicit MainWindow(QWidget *parent = nullptr, Sections sections = Sections::BuiltAtOnce);
    ~MainWindow() override;

    // The whole text of a message box, with CR LF line breaks.
    static QString messageText(const QPlainTextEdit *box);

    // The result window while it is on screen (null before the first coding
    // and after the user closed it), and the Morse 2 help window once made.
    ResultWindow *resultWindow() const;
    MorseHelpWindow *morseHelpWindow() const;

    // The section now visible.
    SectionFrame *visibleSection() const;

    // Messages up to this many characters are coded at once. A longer one is
    // coded in the background while the window goes on answering, and its
    // result window comes once the code is ready.
    static constexpr qsizetype kCodedAtOnce = qsizetype(1) << 20;
    // Whether such a coding (or the decoding of such a message) is under way.
    bool isCoding() const;

signals:
    // A coding's or a decoding's result window is on screen (after each
    // coding or decoding button click, at once or once a long message is
    // done).
    void resultShown();

    // Web requests: what the web buttons ask for. The picture code's
    // "Coder" button sends its code and the whole text of its message box
    // (CR LF line breaks); the command icons ask for the site's home page,
    // its contact page and the about window.
    void pictureCodeRequested(velmora::PictureCode code, const QString &message);
    void sitePageRequested();
    void contactPageRequested();
    void aboutRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    // Navigation plates and the home icon.
    void onHomeIconClicked();
    void onMorsePlateClicked();
    void onAlphaNumPlateClicked();
    void onCaesarPlateClicked();
    void onPolybiusPlateClicked();
    void onGatoPlateClicked();
    void onMersPlateClicked();
    void onSemaphorePlateClicked();
    // Command icon that ends the program.
    void onQuitIconClicked();
    // Local coding buttons.
    void onMorseCodeClicked();
    void onMorse2Clicked();
    void onCaesarCodeClicked();
    void onPolybiusCodeClicked();
    void onAlphaNumCodeClicked();
    // Decoding buttons of the local sections.
    void onMorseDecodeClicked();
    void onAlphaNumDecodeClicked();
    void onCaesarDecodeClicked();
    void onPolybiusDecodeClicked();

private:
    void build(Sections sections);
    // The controls of the seven code sections and their wiring; once only.
    void buildSectionContents();
    SectionFrame *makeSection(const QString &name, const QString &caption, bool home);
    ImageButton *makeNavigationImage(const QString &name, const QString &picture, int top, const QString &toolTip);
    ImageButton *makeCommandIcon(const QString &name, const QString &picture, int left, const QString &toolTip);
    QPushButton *makeButton(QWidget *section, const QString &name, const QString &caption, const QRect &geometry,
                            VelmoraCursor cursor);
    QPlainTextEdit *makeCodeSection(SectionFrame *section, const QString &boxName, const QString &initialText,
                                    const QString &infoName, const QString &infoText, const QColor &infoColour,
                                    const QString &pictureName, const QString &picture,
                                    const QString &pictureDescription, bool scrollBar = true, int boxWidth = 7935);
    void connectClear(QPushButton *button, QPlainTextEdit *box);
    // The web buttons' clicks become the web request signals.
    void connectPictureCodes();
    void connectWebIcons();
    void setFocusOrder();
    // Alt+0 to Alt+7, F1 and Ctrl+Q (ui/mainwindowshortcuts.cpp).
    void installKeyboardShortcuts();

    // Shows one section, setting every section's visibility in the order of
    // the design: the Gato section first, then home and Morse (or Morse and
    // home), then the five others.
    void showSection(SectionFrame *section, bool morseBeforeHome);

    // The encoder command's result steps: obtain the result window, write the
    // coded text, the code's own step, show the window. The window learns
    // CODE, to offer the sound of a Morse text.
    ResultWindow *obtainResultWindow();
    ResultWindow *showResult(const QString &coded, bool morseFontSize, std::optional<CodeId> code);

    // Codes MESSAGE with CODER, at once or in the background (see
    // kCodedAtOnce), then shows the result (and the Morse 2 help window for
    // HELP). A later click supersedes a coding still under way.
    using Coder = std::function<QString(const QString &)>;
    void codeAndShow(const QString &message, Coder coder, bool morseFontSize, bool help, CodeId code);
    void showCoded(const QString &coded, bool morseFontSize, bool help, CodeId code);
    void setBusy(bool busy);

    // Decoding: the "Décoder" buttons of the local sections, placed and
    // wired after the design's controls; each reads its section's message
    // box and shows the decoded text in the result window, at once or in
    // the background like a coding (the two share the one background job,
    // so a later click of either kind wins).
    void buildDecodeButtons();
    using DecodeFunction = std::function<Decoding(const QString &)>;
    void decodeAndShow(const QString &message, DecodeFunction decodeFunction);
    void showDecoded(const Decoding &decoding);

    // Sections.
    SectionFrame *m_semaphoreSection = nullptr, *m_mersSection = nullptr, *m_gatoSection = nullptr,
                 *m_polybiusSection = nullptr, *m_caesarSection = nullptr, *m_alphaNumSection = nullptr,
                 *m_morseSection = nullptr, *m_homeSection = nullptr;
    // Navigation plates and command icons.
    ImageButton *m_semaphorePlate = nullptr, *m_mersPlate = nullptr, *m_gatoPlate = nullptr, *m_polybiusPlate = nullptr,
                *m_caesarPlate = nullptr, *m_alphaNumPlate = nullptr, *m_homeIcon = nullptr, *m_quitIcon = nullptr,
                *m_aboutIcon = nullptr, *m_contactIcon = nullptr, *m_siteIcon = nullptr, *m_morsePlate = nullptr;
    // Message boxes.
    QPlainTextEdit *m_morseMessage = nullptr, *m_alphaNumMessage = nullptr, *m_caesarMessage = nullptr,
                   *m_polybiusMessage = nullptr, *m_gatoMessage = nullptr, *m_mersMessage = nullptr,
                   *m_semaphoreMessage = nullptr;
    // Buttons.
    QPushButton *m_morseClearButton = nullptr, *m_morseCodeButton = nullptr, *m_morse2Button = nullptr,
                *m_alphaNumCodeButton = nullptr, *m_caesarClearButton = nullptr, *m_caesarCodeButton = nullptr,
                *m_polybiusClearButton = nullptr, *m_polybiusCodeButton = nullptr, *m_gatoClearButton = nullptr,
                *m_gatoCodeButton = nullptr, *m_mersClearButton = nullptr, *m_mersCodeButton = nullptr,
                *m_semaphoreClearButton = nullptr, *m_semaphoreCodeButton = nullptr;
    QComboBox *m_alphaNumChoice = nullptr;
    // Decoding buttons.
    QPushButton *m_morseDecodeButton = nullptr, *m_alphaNumDecodeButton = nullptr, *m_caesarDecodeButton = nullptr,
                *m_polybiusDecodeButton = nullptr;

    QPointer<ResultWindow> m_resultWindow;
    QPointer<MorseHelpWindow> m_morseHelpWindow;

    // The coding of a long message, under way in the background.
    BackgroundJob *m_coding = nullptr;
    // Whether the code sections' controls are made, and whether their making
    // is already on its way (see paintEvent).
    bool m_sectionContentsBuilt = false;
    bool m_sectionContentsPosted = false;
};

} // namespace velmora
