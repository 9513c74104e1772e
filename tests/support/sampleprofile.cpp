#include "sampleprofile.h"

#include <QFile>
#include <QtTest>

namespace sample {

namespace {
struct Typed
{
    int slot;
    const char *text;
};
constexpr Typed Typing[] = {
    {1, "山田"},       {2, "太郎"},          {10, "ﾔﾏﾀﾞ"},   {11, "ﾀﾛｳ"},   {14, "YAMADA"},   {13, "TARO"},
    {17, "123"},       {18, "4567"},         {20, "東京都"}, {21, "千代田区"}, {22, "丸の内"}, {23, "9-9-9"},
    {26, "03"},        {27, "1234"},         {28, "5678"},   {31, "090"},   {32, "1234"},     {33, "5678"},
    {34, "30"},        {35, "会社員"},       {38, "1975"},   {39, "4"},     {40, "1"},        {42, "taro"},
    {43, "mail"},      {44, "yamada"},       {45, ""},       {47, "見本銀行"}, {48, "本店"},   {49, "普通"},
    {50, "1234567"},   {51, "たろうの部屋"}, {52, "タロウノヘヤ"}, {53, ""}, {54, "日記です"}, {55, "10"},
    {56, "300"},
};

// What the palette shows after the update, slot 0 first.
constexpr const char *Shown[mq::SlotCount] = {
    "山田太郎", "山田", "太郎", "やまだたろう", "やまだ", "たろう", "ヤマダタロウ", "ヤマダ", "タロウ",
    "ﾔﾏﾀﾞﾀﾛｳ", "ﾔﾏﾀﾞ", "ﾀﾛｳ", "TARO YAMADA", "TARO", "YAMADA", "123-4567", "1234567", "123", "4567",
    "東京都千代田区丸の内9-9-9", "東京都", "千代田区", "丸の内", "9-9-9", "03-1234-5678", "0312345678",
    "03", "1234", "5678", "090-1234-5678", "09012345678", "090", "1234", "5678", "30", "会社員",
    "1975/4/1", "1975-4-1", "1975", "4", "1", "taro@mail", "taro", "mail", "yamada", "", "見本銀行/本店",
    "見本銀行", "本店", "普通", "1234567", "たろうの部屋", "タロウノヘヤ", "", "日記です", "10", "300"};
} // namespace

mq::Record entries()
{
    mq::Record e;
    for (const Typed &t : Typing)
        e[t.slot] = QString::fromUtf8(t.text);
    return e;
}

mq::Record values()
{
    mq::Record v;
    for (int i = 0; i < mq::SlotCount; ++i)
        v[i] = QString::fromUtf8(Shown[i]);
    return v;
}

QByteArray file()
{
    return readBytes(QStringLiteral(MQ_TEST_DATA "/sample_NAME.txt"));
}

} // namespace sample

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}
