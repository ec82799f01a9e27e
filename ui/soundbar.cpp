#include "ui/soundbar.h"

#include "sound/morsesound.h"
#include "sound/wavwriter.h"
#include "ui/backgroundjob.h"
#include "ui/cursors.h"
#include "ui/morseplayer.h"
#include "ui/resultview.h"
#include "ui/twips.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>

namespace velmora {

// Marks the sign being heard in the result box as a selection is drawn:
// the highlight colour behind it, the highlighted-text colour for the sign.
// It lies over the box's viewport and lets the mouse through.
class PlayedSignMark : public QWidget
{
public:
    explicit PlayedSignMark(ResultView *box)
        : QWidget(box->viewport())
        , m_box(box)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        box->viewport()->installEventFilter(this);
        setGeometry(box->viewport()->rect());
        hide();
    }

    void setSign(qsizetype begin, qsizetype end)
    {
        m_begin = begin;
        m_end = end;
        if (begin >= end) {
            hide();
            return;
        }
        m_box->scrollToOffset(begin);
        show();
        raise();
        update();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box->viewport() && event->type() == QEvent::Resize)
            setGeometry(m_box->viewport()->rect());
        return false;
    }

    void paintEvent(QPaintEvent *) override
    {
        const QString text = m_box->toPlainText();
        if (m_begin >= m_end || m_end > text.size())
            return;
        QRect area = m_box->characterRect(m_begin);
        const QRect last = m_box->characterRect(m_end - 1);
        if (last.top() == area.top())
            area = area.united(last);
        const QPalette pal = m_box->palette();
        QPainter painter(this);
        painter.fillRect(area, pal.brush(QPalette::Highlight));
        painter.setFont(m_box->font());
        painter.setPen(pal.color(QPalette::HighlightedText));
        painter.drawText(QPointF(area.left(), area.top() + QFontMetricsF(m_box->font()).ascent()),
                         text.mid(m_begin, m_end - m_begin));
    }

private:
    ResultView *m_box;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
};

namespace {

QString duration(qint64 samples, int sampleRate)
{
    const qint64 seconds = (samples + sampleRate - 1) / sampleRate;
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return QStringLiteral("%1 h %2 min %3 s").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}

struct SaveOutcome {
    QString error;
    qint64 samples = 0;
    int sampleRate = 0;
};

// Writes the sound beside the file, then puts it in its place: whatever
// happens, no half-written file is left under its name.
SaveOutcome writeSoundFile(const QString &path, const QString &codedText, const sound::MorseAlphabet &alphabet,
                           const sound::SoundSettings &settings, const std::atomic_bool &cancelled)
{
    sound::MorseSound sound(codedText, alphabet, settings);
    SaveOutcome outcome;
    outcome.samples = sound.sampleCount();
    outcome.sampleRate = sound.sampleRate();
    const QString name = QDir::toNativeSeparators(path);
    if (sound.sampleCount() > sound::kMaxWavSamples) {
        outcome.error = QStringLiteral("Ce son durerait %1, plus qu'un fichier WAV ne peut en contenir (%2) : "
                                       "il n'a pas été enregistré.")
                            .arg(duration(sound.sampleCount(), sound.sampleRate()),
                                 duration(sound::kMaxWavSamples, sound.sampleRate()));
        return outcome;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.error =
            QStringLiteral("Le son n'a pas pu être enregistré dans « %1 » : %2.").arg(name, file.errorString());
        return outcome;
    }
    const bool written = sound::writeWav(
        sound, [&](const char *data, qint64 size) { return !cancelled.load() && file.write(data, size) == size; });
    if (!written || cancelled.load()) {
        const QString reason =
            cancelled.load() ? QStringLiteral("l'enregistrement a été interrompu") : file.errorString();
        file.cancelWriting();
        outcome.error = QStringLiteral("Le son n'a pas pu être enregistré dans « %1 » : %2.").arg(name, reason);
        return outcome;
    }
    if (!file.commit())
        outcome.error =
            QStringLiteral("Le son n'a pas pu être enregistré dans « %1 » : %2.").arg(name, file.errorString());
    return outcome;
}

} // namespace

const QString &SoundBar::listenCaption()
{
    static const QString caption = QStringLiteral("Écouter");
    return caption;
}

const QString &SoundBar::stopCaption()
{
    static const QString caption = QStringLiteral("Arrêter");
    return caption;
}

const QString &SoundBar::saveCaption()
{
    static const QString caption = QStringLiteral("Enregistrer le son...");
    return caption;
}

SoundBar::SoundBar(ResultView *resultBox, QWidget *parent)
    : QWidget(parent)
    , m_resultBox(resultBox)
    , m_savingCancelled(std::make_shared<std::atomic_bool>(false))
{
    setObjectName(QStringLiteral("soundBar"));
    resize(resultBox->width(), twipsToPixels(kHeightTwips));

    // The text on the left, up to three lines high; the two buttons at the
    // right, as high as the buttons of the Morse section.
    const int saveWidth = twipsToPixels(1935);
    const int listenWidth = twipsToPixels(1335);
    const int gap = twipsToPixels(120);
    const int saveLeft = width() - saveWidth;
    const int listenLeft = saveLeft - gap - listenWidth;
    const int buttonTop = twipsToPixels(kButtonTopTwips);
    const int buttonHeight = twipsToPixels(375);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblSon"));
    m_status->setGeometry(0, 0, listenLeft - gap, height());
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette statusPalette = m_status->palette();
    statusPalette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::HighlightedText));
    m_status->setPalette(statusPalette);

    auto makeButton = [=, this](const QString &name, const QString &caption, int left, int width) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAccessibleName(caption);
        button->setGeometry(left, buttonTop, width, buttonHeight);
        button->setCursor(velmoraCursor(VelmoraCursor::OkHandSide));
        button->setAutoDefault(false);
        return button;
    };
    m_listenButton = makeButton(QStringLiteral("cmdEcouter"), listenCaption(), listenLeft, listenWidth);
    m_saveButton = makeButton(QStringLiteral("cmdEnregistrerSon"), saveCaption(), saveLeft, saveWidth);

    m_player = new MorsePlayer(this);
    m_mark = new PlayedSignMark(resultBox);
    m_saving = new BackgroundJob(this);

    connect(m_listenButton, &QPushButton::clicked, this, &SoundBar::onListenClicked);
    connect(m_saveButton, &QPushButton::clicked, this, &SoundBar::onSaveClicked);
    connect(m_player, &MorsePlayer::playingChanged, this, &SoundBar::onPlayingChanged);
    connect(m_player, &MorsePlayer::signChanged, m_mark, &PlayedSignMark::setSign);
    connect(m_player, &MorsePlayer::failed, this, &SoundBar::setStatus);
}

SoundBar::~SoundBar()
{
    // The saving stops at its next block; the job waits for it as it goes.
    m_savingCancelled->store(true);
    m_player->stop();
}

bool SoundBar::setCode(std::optional<CodeId> code)
{
    m_player->stop();
    m_alphabet = code ? sound::morseAlphabet(*code) : std::nullopt;
    setStatus(QString());
    return hasSound();
}

void SoundBar::stopSound()
{
    m_player->stop();
}

bool SoundBar::isSaving() const
{
    return m_saving->isRunning();
}

QString SoundBar::suggestedFileName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("message-morse.wav"));
}

void SoundBar::setStatus(const QString &text)
{
    m_status->setText(text);
    m_status->setToolTip(text); // a long sentence may not fit on its line
}

void SoundBar::onPlayingChanged(bool playing)
{
    const QString &caption = playing ? stopCaption() : listenCaption();
    m_listenButton->setText(caption);
    m_listenButton->setAccessibleName(caption);
}

void SoundBar::onListenClicked()
{
    if (m_player->isPlaying()) {
        m_player->stop();
        return;
    }
    if (!m_alphabet)
        return;
    setStatus(QString());
    QString error;
    if (!m_player->play(m_resultBox->toPlainText(), *m_alphabet, m_settings, &error))
        setStatus(error);
}

void SoundBar::onSaveClicked()
{
    if (!m_alphabet || isSaving())
        return;
    // What is saved is what the box shows now, even if another coding comes
    // while the dialog is open.
    const QString text = m_resultBox->toPlainText();
    const sound::MorseAlphabet alphabet = *m_alphabet;
    auto *dialog =
        new QFileDialog(this, QStringLiteral("Enregistrer le son"), QString(), QStringLiteral("Son WAV (*.wav)"));
    dialog->setObjectName(QStringLiteral("saveSoundDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("wav"));
    dialog->selectFile(suggestedFileName());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this, text, alphabet](const QString &path) { save(path, text, alphabet); });
    dialog->open();
}

void SoundBar::save(const QString &path, const QString &codedText, sound::MorseAlphabet alphabet)
{
    if (path.isEmpty() || isSaving())
        return;
    m_saveButton->setEnabled(false);
    setStatus(QStringLiteral("Enregistrement de « %1 »...").arg(QFileInfo(path).fileName()));
    const std::shared_ptr<std::atomic_bool> cancelled = m_savingCancelled;
    const sound::SoundSettings settings = m_settings;
    m_saving->start([path, codedText, alphabet, settings,
                     cancelled] { return writeSoundFile(path, codedText, alphabet, settings, *cancelled); },
                    [this, path](const SaveOutcome &outcome) {
                        m_saveButton->setEnabled(true);
                        if (outcome.error.isEmpty())
                            setStatus(
                                QStringLiteral("Son enregistré dans « %1 » (%2).")
                                    .arg(QFileInfo(path).fileName(), duration(outcome.samples, outcome.sampleRate)));
                        else
                            setStatus(outcome.error);
                        emit saveFinished(path, outcome.error);
                    });
}

} // namespace velmora
