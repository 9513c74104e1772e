// Shows the palette with a sample profile and the editor beside it, and saves a picture
// of the whole screen:  screens <out.png>   (run on a real X server, e.g. Xvfb)
#include "app/look.h"
#include "app/services.h"
#include "profile/derivation.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "tests/sampleprofile.h"

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

    const mq::Record values = mq::deriveRecord(sampleEntries());

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
