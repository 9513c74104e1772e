// The update's work without the windows: derive the 57 values and save them, against a
// plain write of the same bytes in the same run.
//   derive_bench [rounds]
#include "profile/derivation.h"
#include "profile/profilefile.h"
#include "tests/sampleprofile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace mq;

namespace {

// Every input about 1 MB of mixed half-width kana, kanji and letters.
Record bigEntries()
{
    const QString unit = QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ山田太郎abc123 ");
    Record e;
    for (int s : InputSlots)
        e[s] = unit.repeated(1'000'000 / 40);
    return e;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void measure(const char *name, const Record &entries, int rounds, const QString &dir)
{
    const QString path = dir + QStringLiteral("/NAME.txt");
    const QString plainPath = dir + QStringLiteral("/plain.bin");
    std::vector<double> update, plain;
    QByteArray bytes;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        writeProfile(path, deriveRecord(entries));
        update.push_back(t.nsecsElapsed() / 1e6);

        if (bytes.isEmpty()) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            bytes = f.readAll();
        }
        t.restart();
        QFile f(plainPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size() || !f.flush())
            std::fprintf(stderr, "plain write failed\n");
        f.close();
        plain.push_back(t.nsecsElapsed() / 1e6);
    }
    const double u = median(update), p = median(plain);
    std::printf("%-8s file %10lld bytes  update %9.3f ms  plain write %9.3f ms  ratio %.2f\n", name,
                static_cast<long long>(bytes.size()), u, p, u / p);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    QTemporaryDir dir;
    measure("sample", sampleEntries(), rounds, dir.path());
    measure("1MB", bigEntries(), std::max(3, rounds / 4), dir.path());
    return 0;
}
