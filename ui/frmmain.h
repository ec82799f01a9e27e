// The main window "frmMain": seven navigation plates on the left, five command
// icons along the top, and eight sections of which exactly one is visible.
// The local codes are coded here; the picture codes and the site links get
// their handlers from the web features, which attach themselves through the
// public accessors below (this window knows nothing of them).
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QThread;

namespace velmora {

class FrmMorse;
class HelpMorse2;
class ImageButton;
class PictureBox;
class SectionFrame;

class FrmMain : public QWidget
{
    Q_OBJECT
public:
    explicit FrmMain(QWidget *parent = nullptr);
    ~FrmMain() override;

    // The whole text of a message box, with CR LF line breaks.
    static QString messageText(const QPlainTextEdit *box);

    // For the web features: the picture codes' buttons and message boxes, and
    // the command icons that open web pages and the about window.
    QPushButton *cmdCodeGato() const { return m_cmdCodeGato; }
    QPushButton *cmdCodeM() const { return m_cmdCodeM; }
    QPushButton *cmdCodeS() const { return m_cmdCodeS; }
    QPlainTextEdit *txtCodeGato() const { return m_txtCodeGato; }
    QPlainTextEdit *Text2() const { return m_Text2; }
    QPlainTextEdit *txtCodeSema() const { return m_txtCodeSema; }
    ImageButton *cwebIm() const { return m_cwebIm; }
    ImageButton *writeIm() const { return m_writeIm; }
    ImageButton *AboutIm() const { return m_AboutIm; }

    // The result window while it is on screen (null before the first coding
    // and after the user closed it), and the Morse 2 help window once made.
    FrmMorse *resultWindow() const;
    HelpMorse2 *helpWindow() const;

    // The section now visible.
    SectionFrame *visibleSection() const;

    // Messages up to this many characters are coded at once (milliseconds).
    // A longer one is coded on a thread of its own while the window goes on
    // answering, and its result window comes once the code is ready.
    static constexpr qsizetype kCodedAtOnce = qsizetype(1) << 20;
    // Whether such a coding is under way.
    bool isCoding() const { return m_pendingShown; }

signals:
    // A coding's result window is on screen (after each coding button click,
    // at once or once a long message is coded).
    void resultShown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    // Navigation plates and the home icon.
    void onHomeImClicked();
    void onMorseImClicked();
    void onImage1Clicked();
    void onCaesarImClicked();
    void onImage3Clicked();
    void onGatoImClicked();
    void onMersImClicked();
    void onSemaImClicked();
    // Command icon that ends the program.
    void onCloseImClicked();
    // Local coding buttons.
    void onCmdCodeMorseClicked();
    void onCmdCodeMorse2Clicked();
    void onCmdCodeClicked();
    void onCmdCodePolybeClicked();
    void onCmdAlphaNumOKClicked();

private:
    void build();
    SectionFrame *makeSection(const QString &name, const QString &caption, bool home);
    ImageButton *makeNavigationImage(const QString &name, const QString &picture, int top,
                                     const QString &toolTip);
    ImageButton *makeCommandIcon(const QString &name, const QString &picture, int left,
                                 const QString &toolTip);
    QPushButton *makeButton(QWidget *section, const QString &name, const QString &caption,
                            const QRect &geometry, int cursor);
    QPlainTextEdit *makeCodeSection(SectionFrame *section, const QString &boxName,
                                    const QString &initialText, const QString &infoName,
                                    const QString &infoText, const QColor &infoColour,
                                    const QString &pictureName, const QString &picture,
                                    const QString &pictureDescription, bool scrollBar = true,
                                    int boxWidth = 7935);
    void connectClear(QPushButton *button, QPlainTextEdit *box);
    void setFocusOrder();

    // Shows one section, setting every section's visibility in the order of
    // the design: the Gato section first, then home and Morse (or Morse and
    // home), then the five others.
    void showSection(SectionFrame *section, bool morseBeforeHome);

    // The encoder command's result steps: obtain the result window, write the
    // coded text, the code's own step, show the window.
    FrmMorse *obtainResultWindow();
    FrmMorse *showResult(const QString &coded, bool morseFontSize);

    // Codes MESSAGE with CODER, at once or in the background (see
    // kCodedAtOnce), then shows the result (and the Morse 2 help window for
    // HELP). A later click supersedes a coding still under way.
    using Coder = std::function<QString(const QString &)>;
    void codeAndShow(const QString &message, Coder coder, bool morseFontSize, bool help);
    void showCoded(const QString &coded, bool morseFontSize, bool help);
    void setBusy(bool busy);

    // Sections.
    SectionFrame *m_semaFrame = nullptr, *m_mersFrame = nullptr, *m_gatoFrame = nullptr,
                 *m_polybeFrame = nullptr, *m_caesarFrame = nullptr, *m_alphaFrame = nullptr,
                 *m_morseFrame = nullptr, *m_mainFrame = nullptr;
    // Navigation plates and command icons.
    ImageButton *m_semaIm = nullptr, *m_mersIm = nullptr, *m_gatoIm = nullptr, *m_Image3 = nullptr,
                *m_caesarIm = nullptr, *m_Image1 = nullptr, *m_homeIm = nullptr,
                *m_closeIm = nullptr, *m_AboutIm = nullptr, *m_writeIm = nullptr,
                *m_cwebIm = nullptr, *m_morseIm = nullptr;
    // Message boxes.
    QPlainTextEdit *m_txtMsgMorse = nullptr, *m_alphaTxt = nullptr, *m_caesarCode = nullptr,
                   *m_polybeCode = nullptr, *m_txtCodeGato = nullptr, *m_Text2 = nullptr,
                   *m_txtCodeSema = nullptr;
    // Buttons.
    QPushButton *m_cmdEffaceMorse = nullptr, *m_cmdCodeMorse = nullptr, *m_cmdCodeMorse2 = nullptr,
                *m_cmdAlphaNumOK = nullptr, *m_cmdEfface = nullptr, *m_cmdCode = nullptr,
                *m_cmdEffacep = nullptr, *m_cmdCodePolybe = nullptr, *m_cmdEffaceGato = nullptr,
                *m_cmdCodeGato = nullptr, *m_cmdEffaceM = nullptr, *m_cmdCodeM = nullptr,
                *m_cmdEffaceS = nullptr, *m_cmdCodeS = nullptr;
    QComboBox *m_cboAlphaNum = nullptr;

    QPointer<FrmMorse> m_result;
    QPointer<HelpMorse2> m_help;

    // Background codings: every thread still running (a superseded one
    // finishes and is dropped), and the number of the latest click.
    QList<QThread *> m_threads;
    quint64 m_codingGeneration = 0;
    // Whether the latest click still waits for its result.
    bool m_pendingShown = false;
};

} // namespace velmora
