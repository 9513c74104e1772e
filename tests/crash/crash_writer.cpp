// Saves NAME.txt through the program's writer, for the kill test in run.sh.
//   crash_writer expect DIR   writes the two profiles once, to DIR/A.txt and DIR/B.txt
//   crash_writer loop DIR     saves A and B in turn to DIR/NAME.txt until killed
//   crash_writer once DIR     saves A to DIR/NAME.txt once
#include "failure.h"
#include "profilefile.h"

#include "sampleprofile.h"

#include <QString>

#include <cstdio>
#include <cstring>

using namespace mq;

namespace {

Record recordA()
{
    return sample::values();
}

// Longer by far, so that many kills land inside its writes.
Record recordB()
{
    Record r = sample::values();
    for (int s = 0; s < SlotCount; ++s)
        r[s] = (r[s] + QStringLiteral("%1 ").arg(s)).repeated(200);
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: crash_writer expect|loop|once DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const Record a = recordA();
    const Record b = recordB();
    try {
        if (std::strcmp(argv[1], "expect") == 0) {
            writeProfile(dir + QStringLiteral("/A.txt"), a);
            writeProfile(dir + QStringLiteral("/B.txt"), b);
        } else if (std::strcmp(argv[1], "once") == 0) {
            writeProfile(dir + QStringLiteral("/NAME.txt"), a);
        } else if (std::strcmp(argv[1], "loop") == 0) {
            const QString path = dir + QStringLiteral("/NAME.txt");
            for (unsigned long i = 0;; ++i)
                writeProfile(path, i % 2 ? b : a);
        } else {
            return 2;
        }
    } catch (const Failure &f) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(f.description));
        return 1;
    }
    return 0;
}
