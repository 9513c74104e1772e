// Clicking 内　容　更　新 in the real editor until NAME.txt is on disk, against a plain
// write of the same bytes timed in the same run.
//   update_bench [rounds]
#include "app/services.h"
#include "app/startup.h"
#include "profile/profilefile.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "bench/measure.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace mq;

namespace {

struct Typed
{
    int slot;
    const char *text;
};

// Two profiles, so that every click changes the file.
constexpr Typed First[] = {
    {1, "山田"}, {2, "太郎"}, {10, "ﾔﾏﾀﾞ"}, {11, "ﾀﾛｳ"}, {14, "YAMADA"}, {13, "TARO"}, {17, "123"},
    {18, "4567"}, {20, "東京都"}, {21, "千代田区"}, {22, "丸の内"}, {23, "9-9-9"}, {26, "03"},
    {27, "1234"}, {28, "5678"}, {31, "090"}, {32, "1234"}, {33, "5678"}, {34, "30"}, {35, "会社員"},
    {38, "1975"}, {39, "4"}, {40, "1"}, {42, "taro"}, {43, "example.com"}, {44, "yamada"},
    {45, "secret"}, {47, "見本銀行"}, {48, "本店"}, {49, "普通"}, {50, "1234567"},
    {51, "たろうの部屋"}, {52, "タロウノヘヤ"}, {53, "https://www.example.com/"}, {54, "日記です"},
    {55, "10"}, {56, "300"}};
constexpr Typed Second[] = {
    {1, "佐藤"}, {2, "花子"}, {10, "ｻﾄｳ"}, {11, "ﾊﾅｺ"}, {14, "SATO"}, {13, "HANAKO"}, {17, "060"},
    {18, "0001"}, {20, "北海道"}, {21, "札幌市"}, {22, "中央区"}, {23, "1-2"}, {26, "011"},
    {27, "222"}, {28, "3333"}, {31, "080"}, {32, "9876"}, {33, "5432"}, {34, "41"}, {35, "教員"},
    {38, "1984"}, {39, "12"}, {40, "31"}, {42, "hanako"}, {43, "example.net"}, {44, "sato"},
    {45, "pass"}, {47, "例示銀行"}, {48, "札幌支店"}, {49, "当座"}, {50, "7654321"},
    {51, "はなこ"}, {52, "ハナコ"}, {53, "https://example.net/"}, {54, "写真"}, {55, "3"}, {56, "90"}};

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

int main(int argc, char *argv[])
{
    // The offscreen platform says at every show that it cannot raise a window.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
        if (type != QtWarningMsg || !msg.contains(QLatin1String("does not support raise")))
            std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    QTemporaryDir dir;
    QStringList messages;
    Services services;
    services.showMessage = [&](const QString &text, const QString &) { messages << text; };
    services.openUrl = [](const QUrl &) { return true; };
    services.programDir = dir.path();
    const QString namePath = profilePath(services);
    const QString plainPath = dir.filePath(QStringLiteral("plain.bin"));

    Form1 palette(services);
    palette.show();

    std::vector<double> update, save, plain, synced;
    for (int r = 0; r < rounds; ++r) {
        palette.Command1->click();
        Form2 *editor = palette.editor();
        if (!editor) {
            std::fprintf(stderr, "the editor did not open\n");
            return 1;
        }
        for (const Typed &t : (r % 2 ? Second : First))
            editor->setEntry(t.slot, QString::fromUtf8(t.text));

        QElapsedTimer t;
        t.start();
        editor->btn内容更新->click();
        update.push_back(t.nsecsElapsed() / 1e3);
        // The editor unloads itself later; let it go before the next click.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!messages.isEmpty()) {
            std::fprintf(stderr, "the update failed: %s\n", qPrintable(messages.first()));
            return 1;
        }

        const QByteArray bytes = contents(namePath);
        QString surname;
        readProfile(namePath, [&](int slot, const QString &text) {
            if (slot == 1)
                surname = text;
        });
        if (surname != QString::fromUtf8((r % 2 ? Second : First)[0].text)) {
            std::fprintf(stderr, "NAME.txt does not hold this round's profile\n");
            return 1;
        }

        // The writer alone, with the palette's values, and a plain write of the same bytes.
        const Record values = palette.values();
        t.restart();
        writeProfile(namePath, values);
        save.push_back(t.nsecsElapsed() / 1e3);
        if (contents(namePath) != bytes) {
            std::fprintf(stderr, "the writer gave other bytes than the click\n");
            return 1;
        }

        t.restart();
        if (!plainWrite(plainPath, bytes, false)) {
            std::fprintf(stderr, "plain write failed\n");
            return 1;
        }
        plain.push_back(t.nsecsElapsed() / 1e3);

        // The same with the data forced to the disk, as any save that survives a crash must.
        t.restart();
        if (!plainWrite(plainPath, bytes, true)) {
            std::fprintf(stderr, "plain synced write failed\n");
            return 1;
        }
        synced.push_back(t.nsecsElapsed() / 1e3);
    }

    const double u = median(update), s = median(save), p = median(plain), y = median(synced);
    std::printf("update click to NAME.txt on disk: %d rounds, medians, %lld-byte file\n", rounds,
                static_cast<long long>(contents(namePath).size()));
    std::printf("  click 内容更新 (derive, fill palette, save, close)  %9.1f us  ratio %.2f\n", u, u / p);
    std::printf("  writeProfile alone                              %9.1f us  ratio %.2f\n", s, s / p);
    std::printf("  reference: plain QFile write of the same bytes  %9.1f us\n", p);
    std::printf("  plain write + fsync (for comparison)            %9.1f us  ratio %.2f\n", y, y / p);
    return 0;
}
