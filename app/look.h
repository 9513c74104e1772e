#pragma once

#include <QFont>

#include <thread>

class QApplication;
class QWidget;

namespace mq {

// The design's "ＭＳ Ｐゴシック", then the Japanese gothic faces a Linux desktop has,
// so that no text ever shows as empty boxes.
QStringList gothicFamilies();
QFont gothicFont(qreal pointSize);
// The font of controls that have none of their own.
QFont defaultWindowFont();

// Style, default font and program icon for the whole application.
void applyLook(QApplication &app);

// One text for each script that profile values and the windows' captions are written in:
// kanji, hiragana, katakana, Latin, and the digits and signs common to all of them. Qt
// looks up fallback faces per run of one script, and signs join the run they stand in,
// so each script needs a text of its own.
QStringList fontWarmUpTexts();

// Fills the application-wide font caches (the list of installed faces, the fallback faces
// of each script) on a thread of its own while the windows are built, so that the first
// paint does not wait for fontconfig. Joins on destruction: it must go before the
// application object does.
class FontWarmUp
{
public:
    explicit FontWarmUp(const QFont &font);
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    std::thread m_thread;
};

// Places a window's frame in the middle of the screen it is on (or the primary one).
void centreOnScreen(QWidget *window);

// 15 twips make one logical pixel.
constexpr int px(int twips) { return twips / 15; }

} // namespace mq
