// Writes the program icon and the three help pictures into the folder given as the
// only argument. Run under QT_QPA_PLATFORM=offscreen; run.sh does it all.
#include "derivation.h"
#include "icon.h"
#include "imagefiles.h"
#include "look.h"
#include "pictures.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    mq::applyLook(app);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkassets <assets folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("icons"));

    const QImage icon = makeIcon();
    const mq::Record sample = mq::deriveRecord(pictureEntries());
    const QImage palette = makePalettePicture(icon);
    const QImage browser = makeBrowserPicture(sample[0]);
    const QImage balloon = makeBalloonPicture();

    bool ok = icon.save(out.filePath(QStringLiteral("mq.png")), "PNG");
    const QByteArray xpm = xpmSource(icon, "mq_xpm");
    ok = !xpm.isEmpty() && writeFile(out.filePath(QStringLiteral("mq.xpm")), xpm) && ok;
    for (int size : IconSizes)
        ok = iconAt(icon, size).save(out.filePath(QStringLiteral("icons/%1.png").arg(size)), "PNG") && ok;
    ok = writeFile(out.filePath(QStringLiteral("palette.bmp")), bmp24(palette)) && ok;
    ok = writeFile(out.filePath(QStringLiteral("browser.bmp")), bmp24(browser)) && ok;
    ok = writeFile(out.filePath(QStringLiteral("balloon.bmp")), bmp24(balloon)) && ok;
    if (!ok) {
        std::fprintf(stderr, "mkassets: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
