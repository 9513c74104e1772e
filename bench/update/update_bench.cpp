// Clicking 内　容　更　新 in the real editor until NAME.txt is on disk, and the writer alone,
// against the floor timed in the same run: the same durable save done bare (one write,
// fsync, rename, fsync of the folder). A plain write of the same bytes, as before, too.
//   update_bench [rounds]
#include "form1.h"
#include "profilefile.h"
#include "services.h"
#include "shell.h"

#include "measure.h"
#include "sampleprofile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace mq;

namespace {

// Two profiles, so that every click changes the file: the sample, and the sample with
// every entry one character longer.
Record profile(int round)
{
    Record r = sample::entries();
    if (round % 2)
        for (int slot : InputSlots)
            r[slot] += QLatin1Char('2');
    return r;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

// Types into the editor's entry as a user would leave it.
void setEntry(QWidget *editor, int slot, const QString &text)
{
    QWidget *w = editor->findChild<QWidget *>(QStringLiteral("Text(%1)").arg(slot));
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
    else if (auto *multi = qobject_cast<QPlainTextEdit *>(w))
        multi->setPlainText(text);
}

} // namespace

int main(int argc, char *argv[])
{
    offscreenUnlessTold();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    QTemporaryDir dir;
    QStringList messages;
    Services services;
    services.showMessage = [&](const QString &text, const QString &) { messages << text; };
    services.openUrl = [](const QUrl &) { return true; };
    services.profilePath = dir.filePath(QStringLiteral("NAME.txt"));
    const QString namePath = services.profilePath;
    const QString plainPath = dir.filePath(QStringLiteral("plain.bin"));
    const QString barePath = dir.filePath(QStringLiteral("bare.txt"));

    Shell shell(services);
    Form1 &palette = shell.palette();
    palette.show();

    std::vector<double> update, save, plain, synced, bare, pairedSave, pairedUpdate;
    for (int r = 0; r < rounds; ++r) {
        palette.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QWidget *editor = topLevel(QStringLiteral("Form2"));
        if (!editor) {
            std::fprintf(stderr, "the editor did not open\n");
            return 1;
        }
        const Record typed = profile(r);
        for (int slot : InputSlots)
            setEntry(editor, slot, typed[slot]);

        QElapsedTimer t;
        t.start();
        editor->findChild<QPushButton *>(QStringLiteral("btn内容更新"))->click();
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
        if (surname != typed[1]) {
            std::fprintf(stderr, "NAME.txt does not hold this round's profile\n");
            return 1;
        }

        // The writer alone, with the palette's values, the floor, and plain writes of the same
        // bytes; the writer and the floor take turns at going first, since a save right
        // after another one (the click's) can wait for the disk longer.
        const Record values = palette.values();
        auto writer = [&] {
            QElapsedTimer w;
            w.start();
            writeProfile(namePath, values);
            save.push_back(w.nsecsElapsed() / 1e3);
            return contents(namePath) == bytes;
        };
        auto floor = [&] {
            QElapsedTimer w;
            w.start();
            const bool ok = bareDurableSave(dir.path(), barePath, bytes);
            bare.push_back(w.nsecsElapsed() / 1e3);
            return ok;
        };
        const bool writerFirst = r % 2 == 0;
        if (writerFirst && !writer()) {
            std::fprintf(stderr, "the writer gave other bytes than the click\n");
            return 1;
        }
        if (!floor()) {
            std::fprintf(stderr, "bare durable save failed\n");
            return 1;
        }
        if (!writerFirst && !writer()) {
            std::fprintf(stderr, "the writer gave other bytes than the click\n");
            return 1;
        }

        t.restart();
        if (!plainWrite(plainPath, bytes, false)) {
            std::fprintf(stderr, "plain write failed\n");
            return 1;
        }
        plain.push_back(t.nsecsElapsed() / 1e3);

        // The same with the data forced to the disk.
        t.restart();
        if (!plainWrite(plainPath, bytes, true)) {
            std::fprintf(stderr, "plain synced write failed\n");
            return 1;
        }
        synced.push_back(t.nsecsElapsed() / 1e3);

        pairedSave.push_back(save.back() / bare.back());
        pairedUpdate.push_back(update.back() / bare.back());
    }

    const double u = median(update), s = median(save), p = median(plain), y = median(synced), b = median(bare);
    std::printf("update click to NAME.txt on disk: %d rounds, medians, %lld-byte file\n", rounds,
                static_cast<long long>(contents(namePath).size()));
    std::printf("  floor: the same durable save done bare           %9.1f us\n", b);
    std::printf("    (one write, fsync, rename, fsync of the folder)\n");
    std::printf("  click 内容更新 (derive, fill palette, save, close)  %9.1f us  ratio %.2f  paired %.2f\n", u,
                u / b, median(pairedUpdate));
    std::printf("  writeProfile alone                              %9.1f us  ratio %.2f  paired %.2f  (goal 1.50)\n",
                s, s / b, median(pairedSave));
    std::printf("  plain QFile write of the same bytes, no sync    %9.1f us  click %.2f, writer %.2f times it\n", p,
                u / p, s / p);
    std::printf("  plain write + fsync                             %9.1f us  ratio to floor %.2f\n", y, y / b);
    return 0;
}
