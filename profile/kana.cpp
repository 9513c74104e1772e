#include "kana.h"

namespace mq {

// Beyond the plain ranges, each choice keeps the result storable in NAME.txt (code page 932):
// - a sound mark composes only with the half-width letter right before it, and only into a
//   letter the code page has; otherwise it becomes the spacing ゛/゜, never a combining mark;
// - the backslash and the tilde become ＼ U+FF3C and ～ U+FF5E, the code page's 0x815F and 0x8160;
// - the half-width forms U+FFE8..U+FFEE and the narrow signs ¢ £ ¬ ¯ ¦ ¥ take their wide
//   twins, which the code page holds where the narrow ones are missing (or, for ¥, only
//   as the backslash's byte); ₩ and half-width hangul stay, the code page has no form of them;
// - hiragana only for ァ..ン, all of which the code page holds.

namespace {

// Wide forms of U+FF61 (｡) to U+FF9F (ﾟ), in code point order. The lone sound marks
// become the spacing ゛ and ゜, which code page 932 holds; the combining marks it lacks.
constexpr char16_t HalfKana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ',
    u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ',
    u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ',
    u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ',
    u'ン', u'゛', u'゜',
};
constexpr char16_t HalfKanaFirst = 0xFF61;
constexpr char16_t VoicedMark = 0xFF9E;
constexpr char16_t SemiVoicedMark = 0xFF9F;

struct Composition
{
    char16_t base; // the wide letter
    char16_t voiced;
    char16_t semiVoiced; // 0 where there is none
};

// Only letters whose voiced form code page 932 holds: ﾜﾞ and ｦﾞ stay two characters
// (ワ゛, ヲ゛), since ヷ and ヺ cannot be stored in NAME.txt.
constexpr Composition Compositions[] = {
    {u'ウ', u'ヴ', 0},    {u'カ', u'ガ', 0},    {u'キ', u'ギ', 0},    {u'ク', u'グ', 0},    {u'ケ', u'ゲ', 0},
    {u'コ', u'ゴ', 0},    {u'サ', u'ザ', 0},    {u'シ', u'ジ', 0},    {u'ス', u'ズ', 0},    {u'セ', u'ゼ', 0},
    {u'ソ', u'ゾ', 0},    {u'タ', u'ダ', 0},    {u'チ', u'ヂ', 0},    {u'ツ', u'ヅ', 0},    {u'テ', u'デ', 0},
    {u'ト', u'ド', 0},    {u'ハ', u'バ', u'パ'}, {u'ヒ', u'ビ', u'ピ'}, {u'フ', u'ブ', u'プ'}, {u'ヘ', u'ベ', u'ペ'},
    {u'ホ', u'ボ', u'ポ'},
};

// Other narrow forms with a wide twin in code page 932.
struct Pair
{
    char16_t narrow;
    char16_t wide;
};
constexpr Pair OtherNarrow[] = {
    {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x00AF, 0xFFE3}, {0x00A6, 0xFFE4}, {0x00A5, 0xFFE5},
    {0xFFE8, 0x2502}, {0xFFE9, 0x2190}, {0xFFEA, 0x2191}, {0xFFEB, 0x2192}, {0xFFEC, 0x2193}, {0xFFED, 0x25A0},
    {0xFFEE, 0x25CB},
};

char16_t composed(char16_t base, char16_t mark)
{
    for (const Composition &c : Compositions)
        if (c.base == base)
            return mark == VoicedMark ? c.voiced : c.semiVoiced;
    return 0;
}

char16_t wideOf(char16_t c)
{
    if (c == u' ')
        return 0x3000;
    if (c >= 0x21 && c <= 0x7E) // backslash and tilde too: ＼ and ～ are in code page 932
        return char16_t(c - 0x21 + 0xFF01);
    if (c >= HalfKanaFirst && c <= SemiVoicedMark)
        return HalfKana[c - HalfKanaFirst];
    for (const Pair &p : OtherNarrow)
        if (p.narrow == c)
            return p.wide;
    return c;
}

} // namespace

QString toFullWidth(const QString &text)
{
    // Never longer than the input: written in place, then cut to what composing left.
    const qsizetype n = text.size();
    const char16_t *in = reinterpret_cast<const char16_t *>(text.utf16());
    QString out(n, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    qsizetype length = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        const char16_t wide = wideOf(c);
        if (c >= HalfKanaFirst && c < VoicedMark && i + 1 < n) {
            const char16_t next = in[i + 1];
            if (next == VoicedMark || next == SemiVoicedMark) {
                if (const char16_t one = composed(wide, next)) {
                    o[length++] = one;
                    ++i;
                    continue;
                }
            }
        }
        o[length++] = wide;
    }
    out.truncate(length);
    return out;
}

QString toHiragana(const QString &text)
{
    // ァ (U+30A1) to ン (U+30F3) only: ヴ, ヵ and ヶ stay, since ゔ, ゕ and ゖ are not in code page 932.
    QString out = text;
    for (QChar &c : out)
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F3)
            c = QChar(char16_t(c.unicode() - 0x60));
    return out;
}

} // namespace mq
