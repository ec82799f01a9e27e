// WAV files: the header fields, the samples as the sound streams them, the
// longest sound a file holds, and a failing destination.
#include "sound/morsesound.h"
#include "sound/wavwriter.h"

#include <QBuffer>
#include <QTest>
#include <QtEndian>

using namespace velmora;
using namespace velmora::sound;

namespace {

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

MorseSound morse(const QString &message, int wpm = 20, int rate = kDefaultSampleRate)
{
    SoundSettings s;
    s.wpm = wpm;
    s.sampleRate = rate;
    return MorseSound(encoder(CodeId::Morse).encode(message), *morseAlphabet(CodeId::Morse), s);
}

} // namespace

class TstWavWriter : public QObject
{
    Q_OBJECT
private slots:
    void fileOfASound_data();
    void fileOfASound();
    void longestSound_data();
    void longestSound();
    void tooLongIsRefusedBeforeWriting();
    void failingDestination();
};

void TstWavWriter::fileOfASound_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rate");
    QTest::addColumn<qint64>("samples");
    QTest::newRow("empty message") << "" << 44100 << qint64(0);
    QTest::newRow("e, 44.1 kHz") << "e" << 44100 << qint64(4 * 2646);
    QTest::newRow("sos, 48 kHz") << "SOS" << 48000 << qint64((8 + 14 + 8) * 2880);
    QTest::newRow("8 kHz") << "a." << 8000 << qint64((5 + 14) * 480);
}

void TstWavWriter::fileOfASound()
{
    QFETCH(QString, message);
    QFETCH(int, rate);
    QFETCH(qint64, samples);
    MorseSound sound = morse(message, 20, rate);
    QCOMPARE(sound.sampleCount(), samples);
    sound.seek(sound.sampleCount() / 2); // writing starts from the first sample wherever the reader was

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    QVERIFY(writeWav(sound, buffer, &error));
    QVERIFY(error.isEmpty());
    const QByteArray f = buffer.data();
    QCOMPARE(qint64(f.size()), kWavHeaderBytes + 2 * samples);
    QCOMPARE(f.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(f, 4), quint32(f.size() - 8));
    QCOMPARE(f.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u32(f, 16), 16u);
    QCOMPARE(u16(f, 20), quint16(1)); // PCM
    QCOMPARE(u16(f, 22), quint16(1)); // mono
    QCOMPARE(u32(f, 24), quint32(rate));
    QCOMPARE(u32(f, 28), quint32(2 * rate));
    QCOMPARE(u16(f, 32), quint16(2));
    QCOMPARE(u16(f, 34), quint16(16));
    QCOMPARE(f.mid(36, 4), QByteArray("data"));
    QCOMPARE(qint64(u32(f, 40)), 2 * samples);

    std::vector<qint16> expected(std::size_t(samples) + 1);
    sound.seek(0);
    QCOMPARE(sound.read(expected.data(), samples + 1), samples);
    for (qint64 i = 0; i < samples; ++i)
        QCOMPARE(qFromLittleEndian<qint16>(f.constData() + kWavHeaderBytes + 2 * i), expected[std::size_t(i)]);
}

void TstWavWriter::longestSound_data()
{
    QTest::addColumn<qint64>("samples");
    QTest::addColumn<bool>("fits");
    QTest::newRow("none") << qint64(0) << true;
    QTest::newRow("13.5 hours") << kMaxWavSamples << true;
    QTest::newRow("one sample more") << kMaxWavSamples + 1 << false;
    QTest::newRow("one sample") << qint64(1) << true;
    QTest::newRow("far too long") << (qint64(1) << 40) << false;
}

void TstWavWriter::longestSound()
{
    QFETCH(qint64, samples);
    QFETCH(bool, fits);
    QCOMPARE(wavSizeError(samples, 44100).isEmpty(), fits);
    if (fits) {
        const QByteArray h = wavHeader(samples, 44100);
        QCOMPARE(qint64(u32(h, 40)), 2 * samples);
        QCOMPARE(qint64(u32(h, 4)), 36 + 2 * samples);
    } else {
        QVERIFY(wavSizeError(samples, 44100).contains(QStringLiteral("13 h 31 min")));
    }
}

void TstWavWriter::tooLongIsRefusedBeforeWriting()
{
    // 16000 letters o at 5 words a minute: 14 units of 10584 samples each,
    // 2.37 billion samples, more than a WAV file holds. Known without
    // making a single sample.
    MorseSound sound = morse(QString(16000, u'o'), 5);
    QCOMPARE(sound.sampleCount(), qint64(16000) * 14 * 10584);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    QVERIFY(!writeWav(sound, buffer, &error));
    QVERIFY2(error.contains(QStringLiteral("longer than a WAV file can hold")), qPrintable(error));
    QVERIFY(error.contains(QStringLiteral("14 h 56 min"))); // 2 370 816 000 samples at 44.1 kHz
    QCOMPARE(buffer.size(), qint64(0));
}

void TstWavWriter::failingDestination()
{
    // The sink refuses after 100 000 bytes: writing stops there and says so.
    MorseSound sound = morse(QStringLiteral("paris paris paris"));
    qint64 taken = 0;
    int callsAfterRefusal = 0;
    QString error;
    const bool ok = writeWav(
        sound,
        [&](const char *, qint64 size) {
            if (taken >= 100000) {
                ++callsAfterRefusal;
                error = QStringLiteral("disk full");
                return false;
            }
            taken += size;
            return true;
        },
        &error);
    QVERIFY(!ok);
    QCOMPARE(error, QStringLiteral("disk full"));
    QCOMPARE(callsAfterRefusal, 1);

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QVERIFY(!writeWav(sound, readOnly, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_APPLESS_MAIN(TstWavWriter)
#include "tst_wavwriter.moc"
