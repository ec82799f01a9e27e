// The sound as a device an audio output pulls from: any read sizes and
// positions give the same bytes, and the sign heard can be found from the
// time played.
#include "sound/morsesounddevice.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <memory>

using namespace velmora;
using namespace velmora::sound;

namespace {

MorseSound morse(const QString &message, int wpm = 30, int rate = 8000)
{
    SoundSettings s;
    s.wpm = wpm;
    s.sampleRate = rate;
    return MorseSound(encodeMorse(message), *morseAlphabet(CodeId::Morse), s);
}

QByteArray samplesAsBytes(MorseSound sound)
{
    QByteArray bytes(2 * sound.sampleCount(), '\0');
    sound.seek(0);
    sound.read(reinterpret_cast<qint16 *>(bytes.data()), sound.sampleCount());
    return bytes;
}

} // namespace

class TstSoundDevice : public QObject
{
    Q_OBJECT
private slots:
    void readsInAnySize_data();
    void readsInAnySize();
    void seeksToAnyByte();
    void followsTheSignPlayed();
    void keepsItsOwnCopyOfTheSound();
    void refusesWriting();
};

void TstSoundDevice::readsInAnySize_data()
{
    QTest::addColumn<int>("chunk");
    QTest::addColumn<bool>("unbuffered");
    QTest::newRow("one byte") << 1 << true;
    QTest::newRow("three bytes") << 3 << true;
    QTest::newRow("odd, buffered") << 4095 << false;
    QTest::newRow("large, buffered") << 100000 << false;
    QTest::newRow("a sample at a time") << 2 << false;
}

void TstSoundDevice::readsInAnySize()
{
    QFETCH(int, chunk);
    QFETCH(bool, unbuffered);
    MorseSound sound = morse(QStringLiteral("Bonne chance, 73."));
    const QByteArray expected = samplesAsBytes(sound);
    MorseSoundDevice device(sound);
    QVERIFY(device.open(unbuffered ? QIODevice::ReadOnly | QIODevice::Unbuffered : QIODevice::ReadOnly));
    QCOMPARE(device.size(), qint64(expected.size()));
    QByteArray got;
    while (!device.atEnd()) {
        QCOMPARE(device.bytesAvailable(), qint64(expected.size() - got.size()));
        const QByteArray part = device.read(chunk);
        QVERIFY(!part.isEmpty());
        got += part;
    }
    QCOMPARE(got.size(), expected.size());
    QVERIFY(got == expected);
    QVERIFY(device.read(10).isEmpty());
}

void TstSoundDevice::seeksToAnyByte()
{
    MorseSound sound = morse(QString(40, u'o') + QStringLiteral(" e"), 60);
    const QByteArray expected = samplesAsBytes(sound);
    MorseSoundDevice device(sound);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QRandomGenerator rng(73);
    for (int k = 0; k < 100; ++k) {
        const qint64 at = qint64(rng.bounded(quint64(expected.size() + 1)));
        QVERIFY(device.seek(at));
        QCOMPARE(device.pos(), at);
        const QByteArray part = device.read(1 + rng.bounded(3000));
        QCOMPARE(part, expected.mid(at, part.size()));
        QCOMPARE(part.size(), qMin(qsizetype(expected.size() - at), part.size()));
    }
    QVERIFY(!device.seek(expected.size() + 1));
    QVERIFY(!device.seek(-1));
}

void TstSoundDevice::followsTheSignPlayed()
{
    // "et" at 20 wpm: the dot (60 ms), a letter gap (180 ms), the dash (180 ms).
    const QString coded = encodeMorse(QStringLiteral("et"));
    MorseSoundDevice device(morse(QStringLiteral("et"), 20, 44100));
    struct Moment {
        qint64 usecs;
        bool tone;
        QString text;
    };
    const Moment moments[] = {
        {0, true, QStringLiteral("·")},       {59000, true, QStringLiteral("·")},  {61000, false, QStringLiteral("/")},
        {239000, false, QStringLiteral("/")}, {241000, true, QStringLiteral("-")}, {419000, true, QStringLiteral("-")},
        {421000, false, QStringLiteral("/")},
    };
    for (const Moment &m : moments) {
        const MorseSound::Span span = device.spanAtTime(m.usecs);
        QCOMPARE(span.tone, m.tone);
        QCOMPARE(coded.mid(span.textBegin, span.textEnd - span.textBegin), m.text);
    }
    QCOMPARE(device.spanAtTime(600000).textBegin, coded.size()); // after the end
}

void TstSoundDevice::keepsItsOwnCopyOfTheSound()
{
    auto original = std::make_unique<MorseSound>(morse(QStringLiteral("sos")));
    const QByteArray expected = samplesAsBytes(*original);
    MorseSound copy = *original;
    original->seek(100);
    MorseSoundDevice device(copy);
    original.reset();
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(device.readAll(), expected);
}

void TstSoundDevice::refusesWriting()
{
    MorseSoundDevice device(morse(QStringLiteral("e")));
    QVERIFY(device.open(QIODevice::ReadWrite));
    QCOMPARE(device.write("ab", 2), qint64(-1));
    QVERIFY(!device.errorString().isEmpty());
}

QTEST_APPLESS_MAIN(TstSoundDevice)
#include "tst_sounddevice.moc"
