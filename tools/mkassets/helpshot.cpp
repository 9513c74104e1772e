// Opens the help window as the palette does and saves a picture of it:
//   helpshot <out.png> [hold-ms]
// With hold-ms the window stays up that long after the picture, for a screen grab.
#include "look.h"
#include "services.h"
#include "form3.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    mq::applyLook(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: helpshot <out.png> [hold-ms]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int hold = argc > 2 ? std::atoi(argv[2]) : 0;

    mq::Services quiet;
    quiet.showMessage = [](const QString &, const QString &) {};
    quiet.openUrl = [](const QUrl &) { return true; };
    auto *help = new mq::Form3(quiet);
    help->show();
    help->raise();
    help->activateWindow();

    int rc = 0;
    QTimer::singleShot(500, &app, [&] {
        if (!help->grab().save(out, "PNG")) {
            std::fprintf(stderr, "helpshot: cannot write %s\n", argv[1]);
            rc = 1;
        }
        QTimer::singleShot(hold, &app, &QCoreApplication::quit);
    });
    app.exec();
    return rc;
}
