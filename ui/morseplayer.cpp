#include "ui/morseplayer.h"

#include "sound/morsesound.h"
#include "sound/morsesounddevice.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>

namespace velmora {
namespace {

MorsePlayer::OutputFactory &outputFactory()
{
    static MorsePlayer::OutputFactory factory;
    return factory;
}

} // namespace

// ---------------------------------------------------------------------------
// The sound card

AudioSinkOutput::AudioSinkOutput(const QAudioDevice &device, QObject *parent)
    : SoundOutput(parent), m_device(device)
{
    m_drained.setSingleShot(true);
    connect(&m_drained, &QTimer::timeout, this, [this] {
        stop();
        emit finished(QString());
    });
}

AudioSinkOutput::~AudioSinkOutput()
{
    stop();
}

bool AudioSinkOutput::start(QIODevice *source, int sampleRate, QString *error)
{
    stop();
    if (m_device.isNull()) {
        *error = MorsePlayer::noAudioOutputMessage();
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!m_device.isFormatSupported(format)) {
        *error = QStringLiteral("La sortie audio « %1 » ne sait pas jouer ce son (16 bits, mono, %2 Hz).")
                     .arg(m_device.description())
                     .arg(sampleRate);
        return false;
    }
    m_sampleRate = sampleRate;
    m_sink = new QAudioSink(m_device, format, this);
    connect(m_sink, &QAudioSink::stateChanged, this, &AudioSinkOutput::onStateChanged);
    m_source = source;
    m_sink->start(source);
    if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
        *error = QStringLiteral("La sortie audio « %1 » refuse de jouer le son.").arg(m_device.description());
        stop();
        return false;
    }
    return true;
}

void AudioSinkOutput::stop()
{
    m_drained.stop();
    if (!m_sink)
        return;
    QAudioSink *sink = m_sink;
    m_sink = nullptr;
    sink->disconnect(this);
    sink->stop();
    // It may be telling of its state right now: it goes once that is over.
    sink->deleteLater();
}

qint64 AudioSinkOutput::playedUSecs() const
{
    return m_sink ? m_sink->processedUSecs() : 0;
}

void AudioSinkOutput::onStateChanged()
{
    if (!m_sink)
        return;
    // In pull mode the sink falls idle once the source has nothing more to
    // give, while what it holds is still being heard: it is stopped only
    // once the whole sound has been played.
    if (m_sink->state() == QAudio::IdleState && m_source && m_source->atEnd()) {
        const qint64 total = m_source->size() / 2 * 1000000 / m_sampleRate;
        const qint64 left = std::max<qint64>(0, total - m_sink->processedUSecs());
        m_drained.start(int(std::min<qint64>(left / 1000, 10000)) + kDrainMarginMs);
    } else if (m_sink->state() == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
        stop();
        emit finished(QStringLiteral("La sortie audio « %1 » s'est arrêtée en cours de route.")
                          .arg(m_device.description()));
    }
}

// ---------------------------------------------------------------------------
// The player

MorsePlayer::MorsePlayer(QObject *parent) : QObject(parent)
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

SoundOutput *MorsePlayer::audioOutput(const QAudioDevice &device, QString *error)
{
    if (device.isNull()) {
        *error = noAudioOutputMessage();
        return nullptr;
    }
    return new AudioSinkOutput(device);
}

SoundOutput *MorsePlayer::systemOutput(QString *error)
{
    if (QMediaDevices::audioOutputs().isEmpty())
        return audioOutput(QAudioDevice(), error);
    return audioOutput(QMediaDevices::defaultAudioOutput(), error);
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
