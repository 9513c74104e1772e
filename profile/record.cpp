#include "record.h"

namespace mq {

namespace {
struct Caption
{
    int slot;
    const char *text;
};

// The editor's row caption, and the column or the place in the row where there are several.
constexpr Caption Captions[] = {
    {1, "漢字（姓）"},           {2, "漢字（名）"},
    {10, "ｶﾅ(半角)（姓）"},      {11, "ｶﾅ(半角)（名）"},
    {13, "ｱﾙﾌｧﾍﾞｯﾄ(半角)（名）"}, {14, "ｱﾙﾌｧﾍﾞｯﾄ(半角)（姓）"},
    {17, "郵便番号（前）"},       {18, "郵便番号（後）"},
    {20, "都道府県"},             {21, "市町村"},
    {22, "地区"},                 {23, "番地"},
    {26, "電話番号（1）"},        {27, "電話番号（2）"},
    {28, "電話番号（3）"},        {31, "携帯またはFAX（1）"},
    {32, "携帯またはFAX（2）"},   {33, "携帯またはFAX（3）"},
    {34, "年齢"},                 {35, "職業"},
    {38, "生年月日（年）"},       {39, "生年月日（月）"},
    {40, "生年月日（日）"},       {42, "ﾒｰﾙｱﾄﾞﾚｽ（＠の前）"},
    {43, "ﾒｰﾙｱﾄﾞﾚｽ（＠の後）"},   {44, "希望ＩＤ"},
    {45, "希望パスワード"},       {47, "銀行名"},
    {48, "支店名"},               {49, "普通・当座"},
    {50, "口座番号"},             {51, "サイトのタイトル"},
    {52, "サイト(フリガナ)"},     {53, "サイトＵＲＬ"},
    {54, "サイトの説明"},         {55, "1日アクセス数"},
    {56, "1月アクセス数"},
};
} // namespace

QString slotCaption(int slot)
{
    for (const Caption &c : Captions)
        if (c.slot == slot)
            return QString::fromUtf8(c.text);
    return QStringLiteral("欄 %1").arg(slot);
}

} // namespace mq
