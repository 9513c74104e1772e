#pragma once

#include "profile/record.h"

// The entries of the worked example: 山田 太郎, typed into the editor.
inline mq::Record sampleEntries()
{
    mq::Record e;
    const struct { int slot; const char *text; } typed[] = {
        {1, "山田"}, {2, "太郎"}, {10, "ﾔﾏﾀﾞ"}, {11, "ﾀﾛｳ"}, {14, "YAMADA"}, {13, "TARO"}, {17, "123"},
        {18, "4567"}, {20, "東京都"}, {21, "千代田区"}, {22, "丸の内"}, {23, "9-9-9"}, {26, "03"},
        {27, "1234"}, {28, "5678"}, {31, "090"}, {32, "1234"}, {33, "5678"}, {34, "30"}, {35, "会社員"},
        {38, "1975"}, {39, "4"}, {40, "1"}, {42, "taro"}, {43, "mail"}, {44, "yamada"}, {45, ""},
        {47, "見本銀行"}, {48, "本店"}, {49, "普通"}, {50, "1234567"}, {51, "たろうの部屋"},
        {52, "タロウノヘヤ"}, {53, ""}, {54, "日記です"}, {55, "10"}, {56, "300"}};
    for (auto t : typed)
        e[t.slot] = QString::fromUtf8(t.text);
    return e;
}
