#pragma once

#include <QString>

namespace mq {

struct ProfileLocation
{
    QString path;
    // The folder is the program's own data folder: made, for its owner only, at the first
    // save. Any other folder must exist already.
    bool ownFolder = false;
};

// Where NAME.txt lives. A file named on the command line, if any; otherwise, for a program
// installed as a package or by `cmake --install`, $XDG_DATA_HOME/mq/NAME.txt (or
// $HOME/.local/share/mq/NAME.txt); otherwise, run from where it was built or unpacked,
// NAME.txt beside the program. The environment is given, not read, so that tests can say
// what it holds.
ProfileLocation profileLocation(const QString &named, const QString &programDir, const QString &xdgDataHome,
                                const QString &home);

// Installed: the desktop entry that the install puts beside the program's folder is there
// (bin/mq, share/applications/...). Never judged by whether the folder can be written to:
// root can write anywhere, and must not leave NAME.txt in /usr/bin.
bool isInstalled(const QString &programDir);

// The desktop entry's name, which is also the program's id on the desktop.
QString desktopEntryName();

} // namespace mq
