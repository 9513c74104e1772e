// Shows the palette with a sample profile and the editor beside it, and saves a picture
// of the whole screen:  screens <out.png>   (run on a real X server, e.g. Xvfb)
#include "app/look.h"
#include "app/services.h"
#include "profile/derivation.h"
#include "windows/form1.h"
#include "windows/form2.h"

#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    mq::applyLook(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screens <out.png>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);

    mq::Services quiet;
    quiet.showMessage = [](const QString &text, const QString &) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    quiet.openUrl = [](const QUrl &) { return true; };
    quiet.programDir = QDir::tempPath();

    mq::Record typed;
    const struct { int slot; const char *text; } sample[] = {
        {1, "山田"}, {2, "太郎"}, {10, "ﾔﾏﾀﾞ"}, {11, "ﾀﾛｳ"}, {13, "TARO"}, {14, "YAMADA"}, {17, "123"},
        {18, "4567"}, {20, "東京都"}, {21, "千代田区"}, {22, "丸の内"}, {23, "9-9-9"}, {26, "03"},
        {27, "1234"}, {28, "5678"}, {31, "090"}, {32, "1234"}, {33, "5678"}, {34, "30"}, {35, "会社員"},
        {38, "1975"}, {39, "4"}, {40, "1"}, {42, "taro"}, {43, "mail.example.jp"}, {44, "yamada"},
        {45, "secret"}, {47, "見本銀行"}, {48, "本店"}, {49, "普通"}, {50, "1234567"},
        {51, "たろうの部屋"}, {52, "タロウノヘヤ"}, {53, "https://www.example.jp/"}, {54, "日記です"},
        {55, "10"}, {56, "300"}};
    for (auto s : sample)
        typed[s.slot] = QString::fromUtf8(s.text);
    const mq::Record values = mq::deriveRecord(typed);

    mq::Form1 palette(quiet);
    for (int i = 0; i < mq::SlotCount; ++i)
        palette.Text(i)->setText(values[i]);
    palette.move(10, 10);
    palette.show();
    palette.Command1->click();

    int rc = 0;
    QTimer::singleShot(800, &app, [&] {
        if (mq::Form2 *editor = palette.editor())
            editor->move(palette.geometry().right() + 20, 10);
        QTimer::singleShot(800, &app, [&] {
            QScreen *screen = QGuiApplication::primaryScreen();
            const QPixmap shot = screen->grabWindow(0, 0, 0, 760, 580);
            if (!shot.save(out, "PNG"))
                rc = 1;
            QCoreApplication::quit();
        });
    });
    app.exec();
    return rc;
}
