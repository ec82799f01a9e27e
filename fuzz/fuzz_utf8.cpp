// The command line's UTF-8 reader accepts exactly what Qt's decoder accepts,
// decodes it the same way, and codes any block split the same way.
#include "cli/stream.h"
#include "cli/utf8.h"
#include "engine/codes.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Copy into a buffer of exactly `size` bytes, so a read past the end is
    // caught by the address sanitizer.
    std::vector<unsigned char> bytes(data, data + size);
    const bool ours = cli::validUtf8Prefix(bytes.data(), size) == size;

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString viaQt = decoder.decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (ours != !decoder.hasError())
        std::abort();

    std::vector<char16_t> out(size + 1);
    const cli::Utf8Decoded d = cli::decodeUtf8(bytes.data(), size, out.data(), true);
    if (d.invalid == ours)
        std::abort();
    if (ours && QString(reinterpret_cast<const QChar *>(out.data()), qsizetype(d.written)) != viaQt)
        std::abort();
    if (!ours && d.consumed != cli::validUtf8Prefix(bytes.data(), size))
        std::abort();

    if (ours && size > 0) {
        // Coded in one block or in two cut anywhere: the same bytes.
        static const auto coders = [] {
            std::vector<std::unique_ptr<cli::Utf8Coder>> all;
            for (int id = 0; id < kCodeCount; ++id)
                all.push_back(std::make_unique<cli::Utf8Coder>(encoder(CodeId(id))));
            return all;
        }();
        const cli::Utf8Coder &coder = *coders[size % kCodeCount];
        std::vector<char> whole(size * coder.maxBytesPerInputByte() + 16);
        const auto r = coder.code(bytes.data(), size, whole.data(), true);
        if (r.invalid || r.consumed != size)
            std::abort();
        const size_t cut = data[0] % size;
        std::vector<char> split(size * coder.maxBytesPerInputByte() + 32);
        const auto a = coder.code(bytes.data(), cut, split.data(), false);
        std::vector<unsigned char> rest(bytes.begin() + std::ptrdiff_t(a.consumed), bytes.end());
        const auto b = coder.code(rest.data(), rest.size(), split.data() + a.written, true);
        if (b.invalid || a.written + b.written != r.written || std::memcmp(whole.data(), split.data(), r.written) != 0)
            std::abort();
    }
    return 0;
}
