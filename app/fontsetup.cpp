#include "fontsetup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace mq {

bool japaneseFontInstalled(const QByteArray &configFile)
{
    FcConfig *config = nullptr;
    if (!configFile.isEmpty()) {
        config = FcConfigCreate();
        if (!config || !FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8 *>(configFile.constData()), FcTrue)
            || !FcConfigBuildFonts(config)) {
            if (config)
                FcConfigDestroy(config);
            return true;
        }
    }
    FcPattern *pattern = FcPatternCreate();
    FcLangSet *ja = FcLangSetCreate();
    FcLangSetAdd(ja, reinterpret_cast<const FcChar8 *>("ja"));
    FcPatternAddLangSet(pattern, FC_LANG, ja);
    FcObjectSet *fields = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *fonts = FcFontList(config, pattern, fields);
    const bool found = !fonts || fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(fields);
    FcLangSetDestroy(ja);
    FcPatternDestroy(pattern);
    if (config)
        FcConfigDestroy(config);
    return found;
}

FontSetUp::FontSetUp()
{
    try {
        m_done = std::async(std::launch::async, [] { return FcInit() == FcFalse || japaneseFontInstalled(); });
    } catch (const std::system_error &) {
        // No thread: Qt sets fontconfig up itself at the first font.
    }
}

bool FontSetUp::wait()
{
    return !m_done.valid() || m_done.get();
}

} // namespace mq
