#include "commandline.h"
#include "desktop.h"
#include "errorreport.h"
#include "fixedwindow.h"
#include "fontsetup.h"
#include "look.h"
#include "profilelocation.h"
#include "profilelock.h"
#include "shell.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const mq::CommandLine command = mq::parseCommandLine(arguments);
    switch (command.action) {
    case mq::CommandLine::Action::Help:
        std::fputs(qPrintable(mq::usageText()), stdout);
        return 0;
    case mq::CommandLine::Action::Version:
        std::fputs(qPrintable(mq::versionText()), stdout);
        return 0;
    case mq::CommandLine::Action::Refuse:
        std::fprintf(stderr, "mq: %s（mq --help で使い方を表示します）\n", qPrintable(command.problem));
        return 2;
    case mq::CommandLine::Action::Run:
        break;
    }

    mq::FontSetUp fonts;
    // Qt is given no arguments: its own options are not the program's.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // How the desktop finds the menu entry and icon of a window (Wayland's app id).
    QGuiApplication::setDesktopFileName(QString::fromLatin1(mq::build::AppId));
    const bool japanese = fonts.wait();
    mq::applyLook(app);

    const mq::Services services = mq::desktopServices(mq::profileLocation(
        command.profile, QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()));

    // A second start on the same profile brings the running palette forward, and opens no
    // browser page: the user asked for the palette, not for another page.
    mq::ProfileLock lock(services.profilePath, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    switch (lock.claim()) {
    case mq::ProfileLock::Claim::First:
        break;
    case mq::ProfileLock::Claim::HandedOver:
        return 0;
    case mq::ProfileLock::Claim::NoAnswer:
        mq::reportFailure(services, mq::err::AlreadyRunning,
                          QStringLiteral("同じ %1 を使う ＭＱ がすでに動いていますが、応答しません。")
                              .arg(QDir::toNativeSeparators(services.profilePath)));
        return 1;
    }

    mq::Shell shell(services);
    QObject::connect(&lock, &mq::ProfileLock::raiseRequested, &shell.palette(),
                     [&shell] { mq::bringToFront(&shell.palette()); });
    mq::loadForm1(shell.palette(), services);
    if (!japanese)
        mq::reportMissingJapaneseFont(services);
    shell.palette().show();
    return app.exec();
}
