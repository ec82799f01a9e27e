// Any UTF-16 text through every local code: the compiled road gives what the
// pair-by-pair reference gives, and every code unit that no pair finds
// survives, in order, in the output.
#include "engine/codes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, (size / 2) * 2);

    static const auto findsOf = [] {
        std::vector<std::set<char16_t>> all(kCodeCount);
        for (int id = 0; id < kCodeCount; ++id)
            for (const Pair &p : encoder(CodeId(id)).chain().pairs())
                all[id].insert(p.find[0]);
        return all;
    }();
    for (int id = 0; id < kCodeCount; ++id) {
        const Encoder &e = encoder(CodeId(id));
        const QString compiled = e.encode(text);
        if (compiled != e.encodeReference(text))
            std::abort();

        const std::set<char16_t> &finds = findsOf[id];
        const QString folded = foldCase(text, e.folding());
        qsizetype at = 0;
        for (QChar c : folded) {
            if (finds.count(c.unicode()))
                continue;
            at = compiled.indexOf(c, at);
            if (at < 0)
                std::abort(); // a unit no table names went missing
            ++at;
        }
    }
    return 0;
}
