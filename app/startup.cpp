#include "startup.h"

#include "browserlaunch.h"
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

void loadForm1(Form1 &form, const Services &services, BrowserLaunch &browser)
{
    trap(services, [&] {
        form.setWindowTitle(programCaption());
        if (!browser.opened())
            throw Failure{err::CannotCreateObject, QStringLiteral("ブラウザを起動できません。")};
        readProfile(services.profilePath, [&](int slot, const QString &text) { form.setValue(slot, text); });
    });
}

} // namespace mq
