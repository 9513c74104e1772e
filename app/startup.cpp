#include "startup.h"

#include "errorreport.h"
#include "form1.h"
#include "profilefile.h"
#include "version.h"

namespace mq {

QString captionFor(int major, int minor, int patch)
{
    return QStringLiteral("ＭＱ (β") + QString::number(major) + QLatin1Char('.') + QString::number(minor)
        + QLatin1Char('.') + QString::number(patch) + QLatin1Char(')');
}

QString programCaption()
{
    return captionFor(build::VersionMajor, build::VersionMinor, build::VersionPatch);
}

Failure browserFailure()
{
    return {err::CannotCreateObject, QStringLiteral("ブラウザを起動できません。")};
}

void loadForm1(Form1 &form, const Services &services)
{
    trap(services, [&] {
        form.setWindowTitle(programCaption());
        // Started, not waited for: its answer, if it fails later, comes as a report of its own.
        if (!services.openUrl || !services.openUrl(QUrl(QString::fromLatin1(build::HomePage))))
            throw browserFailure();
        readProfile(services.profilePath, [&](int slot, const QString &text) { form.setValue(slot, text); });
    });
}

void reportMissingJapaneseFont(const Services &services)
{
    reportFailure(services, err::NoJapaneseFont,
                  QStringLiteral("日本語を表示できるフォントがありません。fonts-ipafont-gothic パッケージを"
                                 "インストールしてください（sudo apt-get install fonts-ipafont-gothic）。"));
}

} // namespace mq
