#include "ui/morseplayer.h"

#include "sound/morsesound.h"
#include "sound/morsesounddevice.h"

#include "ui/audiomodule.h"
#include "ui/modules.h"

#include <QDir>
#include <QPluginLoader>

namespace velmora {
namespace {

MorsePlayer::OutputFactory &outputFactory()
{
    static MorsePlayer::OutputFactory factory;
    return factory;
}

} // namespace

// ---------------------------------------------------------------------------
// The player

MorsePlayer::MorsePlayer(QObject *parent)
    : QObject(parent)
{
    m_follow.setInterval(kFollowIntervalMs);
    connect(&m_follow, &QTimer::timeout, this, &MorsePlayer::follow);
}

MorsePlayer::~MorsePlayer()
{
    if (m_output) {
        m_output->stop();
        delete m_output;
    }
}

QString MorsePlayer::noAudioOutputMessage()
{
    return QStringLiteral("Aucune sortie audio sur cet ordinateur : le son ne peut pas être écouté, "
                          "mais il peut être enregistré.");
}

SoundOutput *MorsePlayer::systemOutput(QString *error)
{
    // Loaded once, at the first playing; it stays loaded for the rest of the run.
    static AudioOutputModule *module = [] {
        for (const QString &dir : moduleDirectories()) {
            QPluginLoader loader(QDir(dir).filePath(QStringLiteral("velmora-audio")));
            if (auto *found = qobject_cast<AudioOutputModule *>(loader.instance()))
                return found;
        }
        return static_cast<AudioOutputModule *>(nullptr);
    }();
    if (!module) {
        *error = QStringLiteral("Le son ne peut pas être écouté : le module audio de VelmoraWin est absent. "
                                "Il peut toujours être enregistré.");
        return nullptr;
    }
    return module->systemOutput(error);
}

void MorsePlayer::setOutputFactory(OutputFactory factory)
{
    outputFactory() = std::move(factory);
}

bool MorsePlayer::play(const QString &codedText, const sound::MorseAlphabet &alphabet,
                       const sound::SoundSettings &settings, QString *error)
{
    stop();
    sound::MorseSound sound(codedText, alphabet, settings);
    if (sound.sampleCount() == 0) {
        *error = QStringLiteral("Ce message n'a aucun signe à faire entendre.");
        return false;
    }
    const int sampleRate = sound.sampleRate();
    SoundOutput *output = outputFactory() ? outputFactory()(error) : systemOutput(error);
    if (!output)
        return false;
    // The sound goes with its output.
    auto *device = new sound::MorseSoundDevice(std::move(sound), output);
    device->open(QIODevice::ReadOnly);
    connect(output, &SoundOutput::finished, this, &MorsePlayer::onOutputFinished);
    if (!output->start(device, sampleRate, error)) {
        delete output;
        return false;
    }
    m_output = output;
    m_device = device;
    m_follow.start();
    emit playingChanged(true);
    follow();
    return true;
}

void MorsePlayer::stop()
{
    if (!m_output)
        return;
    m_output->stop();
    delete m_output;
    release();
}

void MorsePlayer::release()
{
    m_output = nullptr;
    m_device = nullptr;
    m_follow.stop();
    setSign(0, 0);
    emit playingChanged(false);
}

void MorsePlayer::onOutputFinished(const QString &error)
{
    // The output is telling this from one of its own handlers: it goes
    // afterwards.
    m_output->deleteLater();
    release();
    if (!error.isEmpty())
        emit failed(error);
}

void MorsePlayer::follow()
{
    if (!m_output)
        return;
    const sound::MorseSound::Span span = m_device->spanAtTime(m_output->playedUSecs());
    if (span.tone)
        setSign(span.textBegin, span.textEnd);
    else
        setSign(span.textBegin, span.textBegin);
}

void MorsePlayer::setSign(qsizetype begin, qsizetype end)
{
    if (begin == m_signBegin && end == m_signEnd)
        return;
    m_signBegin = begin;
    m_signEnd = end;
    emit signChanged(begin, end);
}

} // namespace velmora
