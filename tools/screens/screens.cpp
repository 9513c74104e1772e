// Shows the palette with the sample profile and the editor (or, with "help", the help
// window) beside it, and saves a picture of the screen; with "palette", of the palette
// alone:  screens <out.png> [help|palette]   (run on a real X server, e.g. Xvfb)
#include "look.h"
#include "services.h"
#include "shell.h"

#include "sampleprofile.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
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
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray("editor");
    const bool help = mode == "help";

    mq::Services quiet;
    quiet.showMessage = [](const QString &text, const QString &) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    quiet.openUrl = [](const QUrl &) { return true; };
    quiet.profilePath = QDir::temp().filePath(QStringLiteral("NAME.txt"));

    mq::Shell shell(quiet);
    mq::Form1 &palette = shell.palette();
    palette.setValues(sample::values());
    palette.move(10, 10);
    palette.show();
    int rc = 0;
    if (mode == "palette") {
        QTimer::singleShot(800, &app, [&] {
            rc = palette.grab().save(out, "PNG") ? 0 : 1;
            QCoreApplication::quit();
        });
        app.exec();
        return rc;
    }
    palette.findChild<QPushButton *>(help ? QStringLiteral("btnHelp") : QStringLiteral("Command1"))->click();

    QTimer::singleShot(800, &app, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(help ? "Form3" : "Form2"))
                w->move(palette.geometry().right() + 20, 10);
        QTimer::singleShot(800, &app, [&] {
            QScreen *screen = QGuiApplication::primaryScreen();
            const QPixmap shot = help ? screen->grabWindow(0, 0, 0, 910, 600) : screen->grabWindow(0, 0, 0, 760, 580);
            if (!shot.save(out, "PNG"))
                rc = 1;
            QCoreApplication::quit();
        });
    });
    app.exec();
    return rc;
}
