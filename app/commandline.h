#pragma once

#include <QString>
#include <QStringList>

namespace mq {

// What the program was asked to do by its command line.
struct CommandLine
{
    enum class Action {
        Run,     // show the palette
        Help,    // print the usage and exit
        Version, // print the version and exit
        Refuse,  // an option it does not know: say why and exit with status 2
    };
    Action action = Action::Run;
    QString profile; // --profile FILE; empty for the default place
    QString problem; // why it was refused
};

// The arguments after the program's name. Qt's own options (-platform, -qwindowtitle ...)
// are refused like any other: the program takes none.
CommandLine parseCommandLine(const QStringList &arguments);

QString usageText();
QString versionText();

} // namespace mq
