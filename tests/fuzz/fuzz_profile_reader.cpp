// libFuzzer target: any bytes given to the profile reader must end in 57 slots set in order,
// or in number 62 after the ones read, and never in a crash.
#include "cp932.h"
#include "failure.h"
#include "profilefile.h"
#include "record.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    int next = 0;
    try {
        mq::parseProfile(bytes, [&](int slot, const QString &text) {
            if (slot != next++ || slot >= mq::SlotCount)
                std::abort();
            // What the reader produced must survive a save and a read unchanged.
            const mq::cp932::Encoded e = mq::cp932::encode(text);
            if (e.ok() && mq::cp932::decode(e.bytes) != text)
                std::abort();
        });
    } catch (const mq::Failure &f) {
        if (f.number != mq::err::InputPastEnd || next >= mq::SlotCount)
            std::abort();
        return 0;
    }
    if (next != mq::SlotCount)
        std::abort();
    return 0;
}
