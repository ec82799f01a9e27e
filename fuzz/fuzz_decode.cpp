// Coded-looking text through each code's decoder, three ways: the whole text
// at once, as UTF-16 pieces through the stream decoder, and as UTF-8 pieces
// through the byte decoder. The three must read the same text, count the same
// letters and unreadable tokens, and place the first unreadable token at the
// same point, wherever the pieces are cut.
//
// The first byte chooses the code; each further byte picks a fragment: a
// letter's, digit's or sign's coded form, a run of separators, a line break,
// or a stray character, so most inputs look like what a user pastes.
#include "engine/codes.h"
#include "engine/decoder.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace velmora;

namespace {

const std::vector<QString> &fragmentsOf(CodeId code)
{
    static std::vector<std::vector<QString>> all = [] {
        const QString characters =
            QString::fromUtf8("abcdefghijklmnopqrstuvwxyzàâçéèêëîïôöùûüœ0123456789 .,;:'?!-()\"");
        const QStringList strays = {QStringLiteral("/"),
                                    QStringLiteral("//"),
                                    QStringLiteral("///"),
                                    QStringLiteral(" "),
                                    QStringLiteral("\r\n"),
                                    QStringLiteral("\n"),
                                    QString::fromUtf8("·"),
                                    QStringLiteral("-"),
                                    QStringLiteral("x"),
                                    QString::fromUtf8("é"),
                                    QString::fromUtf8("\U0001F600"),
                                    QString::fromUtf8("\u00A0"),
                                    QStringLiteral("0"),
                                    QStringLiteral("99"),
                                    QStringLiteral("P"),
                                    QStringLiteral("O")};
        std::vector<std::vector<QString>> lists(kCodeCount);
        for (int id = 0; id < kCodeCount; ++id) {
            for (QChar c : characters)
                lists[id].push_back(encoder(CodeId(id)).encode(QString(c)));
            for (const QString &s : strays)
                lists[id].push_back(s);
        }
        return lists;
    }();
    return all[int(code)];
}

[[noreturn]] void mismatch()
{
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const CodeId code = CodeId(data[0] % kCodeCount);
    const std::vector<QString> &fragments = fragmentsOf(code);
    QString coded;
    for (size_t i = 1; i < size; ++i)
        coded += fragments[data[i] % fragments.size()];
    // Piece lengths, 1 to 40, taken from the input again.
    size_t next = 0;
    const auto pieceLength = [&] { return qsizetype(1 + data[next++ % size] % 40); };

    const Decoder &d = decoder(code);
    const DecodeResult whole = d.decode(coded);

    // UTF-16 pieces through the stream decoder.
    {
        StreamDecoder stream(d);
        QString out;
        qsizetype at = 0;
        do {
            const qsizetype piece = std::min(coded.size() - at, pieceLength());
            stream.feed(QStringView(coded).mid(at, piece), at + piece == coded.size(), out);
            at += piece;
        } while (at < coded.size());
        if (out != whole.text || stream.unreadable() != whole.unreadable || stream.letters() != whole.letters ||
            stream.firstUnreadable() != whole.firstUnreadable)
            mismatch();
    }

    // UTF-8 pieces through the byte decoder, with exactly the room it may use.
    {
        const QByteArray bytes = coded.toUtf8();
        std::vector<unsigned char> held;
        QByteArray out;
        Decoder::State state;
        qsizetype at = 0, offset = 0, unreadable = 0, letters = 0, first = -1;
        do {
            const qsizetype piece = std::min(bytes.size() - at, pieceLength());
            held.insert(held.end(), bytes.constData() + at, bytes.constData() + at + piece);
            at += piece;
            const bool final = at == bytes.size();
            std::vector<unsigned char> room(held.size() + 1);
            const Decoder::BlockResult r =
                d.decodeUtf8Block(held.data(), held.data() + held.size(), final, state, room.data());
            if (r.consumed < 0 || r.consumed > qsizetype(held.size()) || r.written > qsizetype(room.size()))
                mismatch();
            out.append(reinterpret_cast<const char *>(room.data()), r.written);
            if (r.unreadable > 0 && first < 0)
                first = offset + r.firstUnreadable;
            unreadable += r.unreadable;
            letters += r.letters;
            offset += r.consumed;
            held.erase(held.begin(), held.begin() + r.consumed);
        } while (at < bytes.size());
        const qsizetype expectedFirst =
            whole.firstUnreadable < 0 ? -1 : coded.first(whole.firstUnreadable).toUtf8().size();
        if (!held.empty() || QString::fromUtf8(out) != whole.text || unreadable != whole.unreadable ||
            letters != whole.letters || first != expectedFirst)
            mismatch();
    }
    return 0;
}
