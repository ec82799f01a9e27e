// The sound card output, as a module the program loads at the first
// "Écouter" (ui/audiomodule.h): QAudioSink in pull mode.
#include "ui/audiomodule.h"
#include "ui/morseplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace velmora {
namespace {

class AudioSinkOutput : public SoundOutput
{
public:
    explicit AudioSinkOutput(const QAudioDevice &device, QObject *parent = nullptr);
    ~AudioSinkOutput() override;

    bool start(QIODevice *source, int sampleRate, QString *error) override;
    void stop() override;
    qint64 playedUSecs() const override;

private:
    void onStateChanged();

    // How long past the moment the whole sound should have been heard the
    // sink is still given, for its own latency.
    static constexpr int kDrainMarginMs = 100;

    QAudioDevice m_device;
    QAudioSink *m_sink = nullptr;
    QPointer<QIODevice> m_source;
    int m_sampleRate = 1;
    QTimer m_drained; // the sound has been heard to its end
};

AudioSinkOutput::AudioSinkOutput(const QAudioDevice &device, QObject *parent)
    : SoundOutput(parent)
    , m_device(device)
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
        emit finished(
            QStringLiteral("La sortie audio « %1 » s'est arrêtée en cours de route.").arg(m_device.description()));
    }
}

class AudioModule : public QObject, public AudioOutputModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VelmoraAudioOutputModule_iid)
    Q_INTERFACES(velmora::AudioOutputModule)
public:
    SoundOutput *systemOutput(QString *error) override
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (QMediaDevices::audioOutputs().isEmpty() || device.isNull()) {
            *error = MorsePlayer::noAudioOutputMessage();
            return nullptr;
        }
        return new AudioSinkOutput(device);
    }
};

} // namespace
} // namespace velmora

#include "audiooutput.moc"
