#include "startup.h"

#include "app/errorreport.h"
#include "profile/profilefile.h"
#include "version.h"
#include "windows/form1.h"

#include <QDir>

#include <fontconfig/fontconfig.h>

#include <system_error>

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

QString profilePath(const Services &services)
{
    return QDir(services.programDir).filePath(profileFileName());
}

BrowserLaunch::BrowserLaunch(const Services &services)
{
    auto launch = [open = services.openUrl] { return open && open(QUrl(QString::fromLatin1(build::HomePage))); };
    try {
        m_opened = std::async(std::launch::async, launch);
    } catch (const std::system_error &) {
        // No thread to be had: launch when the load asks, as if there were no thread.
        m_opened = std::async(std::launch::deferred, launch);
    }
}

FontSetUp::FontSetUp()
{
    try {
        m_done = std::async(std::launch::async, [] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread: Qt sets fontconfig up itself at the first font.
    }
}

void FontSetUp::wait()
{
    if (m_done.valid())
        m_done.get();
}

bool BrowserLaunch::opened()
{
    return m_opened.get();
}

void loadForm1(Form1 &form, const Services &services, BrowserLaunch &browser)
{
    trap(services, [&] {
        form.setWindowTitle(programCaption());
        if (!browser.opened())
            throw Failure{err::CannotCreateObject, QStringLiteral("ブラウザを起動できません。")};
        readProfile(profilePath(services), [&](int slot, const QString &text) { form.Text(slot)->setText(text); });
    });
}

} // namespace mq
