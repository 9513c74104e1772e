// The derivation alone, against the least any derivation must do in the same run: share
// the 37 input values and copy the characters of the 20 derived values with
// QString::append (and, as a floor, with memcpy into buffers already allocated).
// Then the update as the editor runs it, derivation and save, against a plain write of
// the same bytes, with and without forcing them to the disk, and against the same durable
// save done bare.
//   derive_bench [rounds]
#include "derivation.h"
#include "failure.h"
#include "profilefile.h"

#include "measure.h"
#include "sampleprofile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace mq;

namespace {

constexpr qsizetype BigLength = 1 << 20; // characters per value
// For the save: as long as the values can be while NAME.txt stays within the largest file
// the reader takes (about 800 KB of MaxProfileBytes' 1 MiB).
constexpr qsizetype SavedLength = 8000;

// Mixed half-width kana (with marks), kanji, letters and a space, so the conversions do
// all their kinds of work.
Record bigEntries(qsizetype length = BigLength)
{
    const QString unit = QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ ﾊﾟﾝ山田太郎abcXYZ123~");
    Record e;
    for (int s : InputSlots)
        e[s] = unit.repeated(length / unit.size() + 1).left(length);
    return e;
}

// Keeps the compiler from dropping a result.
volatile qsizetype sink;

void measure(const char *name, const Record &entries, int rounds)
{
    const Record expected = deriveRecord(entries);
    std::vector<qsizetype> lengths;
    qsizetype derivedChars = 0;
    for (int s : DerivedSlots) {
        lengths.push_back(expected[s].size());
        derivedChars += expected[s].size();
    }
    const qsizetype longest = *std::max_element(lengths.begin(), lengths.end());
    QString source(longest, QChar(u'ア'));
    std::vector<std::vector<char16_t>> buffers;
    for (qsizetype n : lengths)
        buffers.emplace_back(size_t(n));

    std::vector<double> derive, append, copy;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        {
            const Record v = deriveRecord(entries);
            sink = v[0].size();
        }
        derive.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        {
            Record v;
            for (int s : InputSlots)
                v[s] = entries[s];
            for (size_t i = 0; i < lengths.size(); ++i)
                v[DerivedSlots[i]].append(source.constData(), lengths[i]);
            sink = v[0].size();
        }
        append.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        for (size_t i = 0; i < lengths.size(); ++i)
            std::memcpy(buffers[i].data(), source.utf16(), size_t(lengths[i]) * sizeof(char16_t));
        sink = buffers[0].empty() ? 0 : buffers[0][0];
        copy.push_back(t.nsecsElapsed() / 1e6);
    }
    const double d = median(derive), a = median(append), c = median(copy);
    std::printf("%-7s %11lld derived chars  derive %9.3f ms  append %9.3f ms  memcpy %9.3f ms  "
                "ratio to append %5.2f  to memcpy %6.2f\n",
                name, static_cast<long long>(derivedChars), d, a, c, d / a, d / c);
}

bool measureUpdate(const char *name, const Record &entries, int rounds, const QTemporaryDir &dir)
{
    const QString saved = dir.filePath(QStringLiteral("NAME.txt"));
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    writeProfile(saved, deriveRecord(entries));
    QFile f(saved);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    f.close();

    const QString bare = dir.filePath(QStringLiteral("bare.txt"));
    std::vector<double> update, write, synced, floor;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        writeProfile(saved, deriveRecord(entries));
        update.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        if (!plainWrite(plain, bytes, false))
            return false;
        write.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        if (!plainWrite(plain, bytes, true))
            return false;
        synced.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        if (!bareDurableSave(dir.path(), bare, bytes))
            return false;
        floor.push_back(t.nsecsElapsed() / 1e6);
    }
    const double u = median(update), w = median(write), s = median(synced), b = median(floor);
    std::printf("%-7s %11lld file bytes     update %9.3f ms  write  %9.3f ms  +fsync %9.3f ms  durable bare %9.3f ms  "
                "ratio to write  %5.2f  to +fsync %5.2f  to durable bare %5.2f\n",
                name, static_cast<long long>(bytes.size()), u, w, s, b, u / w, u / s, u / b);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2001;
    std::printf("medians of %d rounds (sample) and %d rounds (%lld characters per value)\n", rounds,
                std::max(3, rounds / 200), static_cast<long long>(BigLength));
    measure("sample", sample::entries(), rounds);
    measure("1M", bigEntries(), std::max(3, rounds / 200));

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    std::printf("\nupdate: derivation and save of NAME.txt, medians of %d and %d rounds (%lld characters per value)\n",
                std::max(1, rounds / 10), std::max(3, rounds / 200), static_cast<long long>(SavedLength));
    try {
        if (!measureUpdate("sample", sample::entries(), std::max(1, rounds / 10), dir)
            || !measureUpdate("largest", bigEntries(SavedLength), std::max(3, rounds / 200), dir)) {
            std::fprintf(stderr, "derive_bench: the plain write failed\n");
            return 1;
        }
    } catch (const Failure &f) {
        std::fprintf(stderr, "derive_bench: the save failed (%d)\n", f.number);
        return 1;
    }
    return 0;
}
