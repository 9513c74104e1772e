#include "app/look.h"
#include "app/services.h"
#include "app/startup.h"
#include "windows/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    mq::FontSetUp fonts;
    QApplication app(argc, argv);
    fonts.wait();
    mq::applyLook(app);

    const mq::Services services = mq::Services::desktop();
    mq::BrowserLaunch browser(services);
    mq::Form1 palette(services);
    mq::loadForm1(palette, services, browser);
    palette.show();
    return app.exec();
}
