// What any Qt Widgets program of ours costs to show a window: the program's own
// application set-up and one label, none of our windows, no file, no browser.
#include "look.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    mq::applyLook(app);

    QLabel label(QStringLiteral("ＭＱ"));
    label.show();
    return app.exec();
}
