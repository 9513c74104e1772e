#pragma once

#include "record.h"

#include <QImage>

// The help window's three pictures.

// The entries of a person who does not exist, with numbers from the ranges kept for
// examples: the profile the palette picture shows.
mq::Record pictureEntries();
// The real palette, filled with that profile, in a drawn frame.
QImage makePalettePicture(const QImage &icon);
// A browser showing a sign-up form whose name field holds `sampleName`.
QImage makeBrowserPicture(const QString &sampleName);
// The balloon that points at 内容変更.
QImage makeBalloonPicture();
