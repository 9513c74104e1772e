#include "commandline.h"

#include "version.h"

namespace mq {

namespace {
constexpr QLatin1String ProfileIs("--profile=");
} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine c;
    const auto refuse = [&c](const QString &why) {
        c.action = CommandLine::Action::Refuse;
        c.problem = why;
        c.profile.clear();
        return c;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            c.action = CommandLine::Action::Help;
        } else if (a == QLatin1String("--version")) {
            if (c.action != CommandLine::Action::Help)
                c.action = CommandLine::Action::Version;
        } else if (a == QLatin1String("--profile") || a.startsWith(ProfileIs)) {
            QString file;
            if (a == QLatin1String("--profile")) {
                if (++i == arguments.size())
                    return refuse(QStringLiteral("--profile のあとにファイル名がありません"));
                file = arguments.at(i);
            } else {
                file = a.mid(ProfileIs.size());
            }
            if (file.isEmpty())
                return refuse(QStringLiteral("--profile のファイル名が空です"));
            if (!c.profile.isEmpty())
                return refuse(QStringLiteral("--profile が二度あります"));
            c.profile = file;
        } else {
            return refuse(QStringLiteral("知らないオプションです: ") + a);
        }
    }
    return c;
}

QString usageText()
{
    return QStringLiteral("使い方: mq [--profile ファイル]\n"
                          "\n"
                          "ＭＱ: Web の申込みフォームにドラッグ＆ドロップで入力するためのパレット。\n"
                          "\n"
                          "  --profile ファイル  NAME.txt の代わりにこのファイルを使う（家族それぞれの情報など）\n"
                          "  --help              この説明を表示して終わる\n"
                          "  --version           版を表示して終わる\n"
                          "\n"
                          "NAME.txt の場所: インストールした ＭＱ では $XDG_DATA_HOME/mq/NAME.txt\n"
                          "（既定は ~/.local/share/mq/NAME.txt）、ビルドしたフォルダーや\n"
                          "展開したフォルダーから起動した ＭＱ ではプログラムと同じフォルダー。\n");
}

QString versionText()
{
    return QStringLiteral("mq %1.%2.%3\n").arg(build::VersionMajor).arg(build::VersionMinor).arg(build::VersionPatch);
}

} // namespace mq
