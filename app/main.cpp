#include "browserlaunch.h"
#include "desktop.h"
#include "fontsetup.h"
#include "look.h"
#include "shell.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    mq::FontSetUp fonts;
    QApplication app(argc, argv);
    fonts.wait();
    mq::applyLook(app);

    const mq::Services services = mq::desktopServices();
    mq::BrowserLaunch browser(services);
    mq::Shell shell(services);
    mq::loadForm1(shell.palette(), services, browser);
    shell.palette().show();
    return app.exec();
}
