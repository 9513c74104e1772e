// The program's start-up with one piece taken out at a time, to tell what each costs:
//   startup_variants full|nofontsetup|nobrowser|noload|blank|bare|nohint|fullhint
// full is app/main.cpp as it is; the others differ only in the step named (the last two
// in the hinting of the application's font, which the look of every glyph depends on).
// Steps join with '+': nobrowser+noload.
#include "app/look.h"
#include "app/services.h"
#include "app/startup.h"
#include "windows/form1.h"

#include <QApplication>

#include <optional>

int main(int argc, char *argv[])
{
    const QStringList steps = QString::fromLocal8Bit(argc > 1 ? argv[1] : "full").split(QLatin1Char('+'));
    const auto is = [&](const char *name) { return steps.contains(QLatin1String(name)); };
    std::optional<mq::FontSetUp> fonts;
    if (!is("nofontsetup"))
        fonts.emplace();
    QApplication app(argc, argv);
    if (fonts)
        fonts->wait();
    mq::applyLook(app);
    if (is("nohint") || is("fullhint")) {
        QFont font = QApplication::font();
        font.setHintingPreference(is("nohint") ? QFont::PreferNoHinting : QFont::PreferFullHinting);
        QApplication::setFont(font);
    }

    mq::Services services = mq::Services::desktop();
    if (is("nobrowser"))
        services.openUrl = [](const QUrl &) { return true; };
    mq::BrowserLaunch browser(services);
    mq::Form1 palette(services);
    if (is("noload") || is("bare"))
        palette.setWindowTitle(mq::programCaption());
    else
        mq::loadForm1(palette, services, browser);
    if (is("blank") || is("bare"))
        for (int slot = 0; slot < mq::SlotCount; ++slot)
            palette.Text(slot)->setText(QString());
    palette.show();
    return app.exec();
}
