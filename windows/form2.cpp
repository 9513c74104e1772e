#include "form2.h"

#include "captionbox.h"
#include "derivation.h"
#include "errorreport.h"
#include "facebutton.h"
#include "look.h"
#include "profilefile.h"
#include "profilefolder.h"
#include "slotnames.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBoundaryFinder>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <vector>

namespace mq {

namespace {

constexpr WindowDesign Design{"Form2", "内容変更", 8280, 7335, 0xFFFFFF, Placement::Centred, Lifetime::UntilClosed};

enum class Kind { Entry, Caption, Clear, Update, Cancel };
enum class Look { Entry, Caption, Heading, Unit, Bar, Button };
// DefaultFont: the window's font; Small: 9.75 pt; otherwise the entry font, 12 pt.
enum Flag { NoFlag = 0, DefaultFont = 1, Small = 2, MultiLine = 4, Tip = 8 };
constexpr qreal EntryPoints = 12;
constexpr qreal SmallPoints = 9.75;

struct Control
{
    Kind kind;
    int index; // slot for an entry, array index for 項目 and Command1
    int left, top, width, height; // twips
    int focus;
    const char *text;
    Look look;
    int flags;
};

using K = Kind;
using L = Look;
constexpr Control Controls[] = {
    // Name, address and telephone, then the two buttons.
    {K::Caption, 16, 120, 120, 3375, 375, 50, "氏　　名", L::Heading, NoFlag},
    {K::Clear, 0, 3480, 120, 615, 375, 96, "クリア", L::Button, DefaultFont},
    {K::Caption, 5, 120, 480, 1335, 375, 39, "", L::Caption, NoFlag},
    {K::Caption, 1, 1440, 480, 1335, 375, 35, "姓", L::Caption, NoFlag},
    {K::Caption, 2, 2760, 480, 1335, 375, 36, "名", L::Caption, NoFlag},
    {K::Caption, 0, 120, 840, 1335, 375, 34, "漢字", L::Caption, NoFlag},
    {K::Entry, 1, 1440, 840, 1335, 375, 0, nullptr, L::Entry, NoFlag},
    {K::Entry, 2, 2760, 840, 1335, 375, 1, nullptr, L::Entry, NoFlag},
    {K::Caption, 3, 120, 1200, 1335, 375, 37, "ｶﾅ(半角)", L::Caption, NoFlag},
    {K::Entry, 10, 1440, 1200, 1335, 375, 2, nullptr, L::Entry, NoFlag},
    {K::Entry, 11, 2760, 1200, 1335, 375, 3, nullptr, L::Entry, NoFlag},
    {K::Caption, 4, 120, 1560, 1335, 375, 38, "ｱﾙﾌｧﾍﾞｯﾄ(半角)", L::Caption, DefaultFont},
    {K::Entry, 14, 1440, 1560, 1335, 375, 4, nullptr, L::Entry, DefaultFont},
    {K::Entry, 13, 2760, 1560, 1335, 375, 5, nullptr, L::Entry, DefaultFont},
    {K::Caption, 17, 120, 2040, 3375, 375, 51, "住　　所", L::Heading, NoFlag},
    {K::Clear, 1, 3480, 2040, 615, 375, 97, "クリア", L::Button, DefaultFont},
    {K::Caption, 19, 120, 2400, 1335, 375, 53, "郵便番号", L::Caption, NoFlag},
    {K::Entry, 17, 1440, 2400, 1215, 375, 33, nullptr, L::Entry, NoFlag},
    {K::Caption, 18, 2640, 2400, 165, 375, 52, "-", L::Unit, NoFlag},
    {K::Entry, 18, 2760, 2400, 1335, 375, 32, nullptr, L::Entry, NoFlag},
    {K::Caption, 6, 120, 2760, 1335, 375, 40, "都道府県", L::Caption, NoFlag},
    {K::Entry, 20, 1440, 2760, 2655, 375, 31, nullptr, L::Entry, NoFlag},
    {K::Caption, 7, 120, 3120, 1335, 375, 41, "市町村", L::Caption, NoFlag},
    {K::Entry, 21, 1440, 3120, 2655, 375, 30, nullptr, L::Entry, NoFlag},
    {K::Caption, 8, 120, 3480, 1335, 375, 42, "地区", L::Caption, NoFlag},
    {K::Entry, 22, 1440, 3480, 2655, 375, 29, nullptr, L::Entry, NoFlag},
    {K::Caption, 9, 120, 3840, 1335, 375, 43, "番地", L::Caption, NoFlag},
    {K::Entry, 23, 1440, 3840, 2655, 375, 28, nullptr, L::Entry, NoFlag},
    {K::Caption, 20, 120, 4320, 3375, 375, 54, "電　話　番　号", L::Heading, NoFlag},
    {K::Clear, 2, 3480, 4320, 615, 375, 98, "クリア", L::Button, DefaultFont},
    {K::Caption, 10, 120, 4680, 1335, 375, 44, "電話番号", L::Caption, NoFlag},
    {K::Entry, 26, 1440, 4680, 735, 375, 27, nullptr, L::Entry, NoFlag},
    {K::Caption, 11, 2160, 4680, 165, 375, 45, "-", L::Unit, NoFlag},
    {K::Entry, 27, 2280, 4680, 735, 375, 26, nullptr, L::Entry, NoFlag},
    {K::Caption, 12, 3000, 4680, 165, 375, 46, "-", L::Unit, NoFlag},
    {K::Entry, 28, 3120, 4680, 975, 375, 25, nullptr, L::Entry, NoFlag},
    {K::Caption, 13, 120, 5040, 1335, 375, 47, "携帯またはFAX", L::Caption, DefaultFont},
    {K::Entry, 31, 1440, 5040, 735, 375, 24, nullptr, L::Entry, NoFlag},
    {K::Caption, 15, 2160, 5040, 165, 375, 49, "-", L::Unit, NoFlag},
    {K::Entry, 32, 2280, 5040, 735, 375, 23, nullptr, L::Entry, NoFlag},
    {K::Caption, 14, 3000, 5040, 165, 375, 48, "-", L::Unit, NoFlag},
    {K::Entry, 33, 3120, 5040, 975, 375, 22, nullptr, L::Entry, NoFlag},
    {K::Update, 0, 120, 5880, 1935, 495, 102, "内　容　更　新", L::Button, NoFlag},
    {K::Cancel, 0, 2160, 5880, 1935, 495, 110, "キ　ャ　ン　セ　ル", L::Button, NoFlag},
    // Bank, other and site.
    {K::Caption, 34, 4200, 120, 3375, 375, 67, "希望振込み先銀行情報", L::Heading, NoFlag},
    {K::Clear, 4, 7560, 120, 615, 375, 100, "クリア", L::Button, DefaultFont},
    {K::Caption, 30, 4200, 480, 1335, 375, 63, "銀行名", L::Caption, NoFlag},
    {K::Entry, 47, 5520, 480, 2655, 375, 15, nullptr, L::Entry, NoFlag},
    {K::Caption, 31, 4200, 840, 1335, 375, 64, "支店名", L::Caption, NoFlag},
    {K::Entry, 48, 5520, 840, 2655, 375, 14, nullptr, L::Entry, NoFlag},
    {K::Caption, 32, 4200, 1200, 1335, 375, 65, "普通・当座", L::Caption, NoFlag},
    {K::Entry, 49, 5520, 1200, 2655, 375, 13, nullptr, L::Entry, NoFlag},
    {K::Caption, 33, 4200, 1560, 1335, 375, 66, "口座番号", L::Caption, NoFlag},
    {K::Entry, 50, 5520, 1560, 2655, 375, 6, nullptr, L::Entry, NoFlag},
    {K::Caption, 25, 4200, 2040, 3375, 375, 59, "そ　の　他", L::Heading, NoFlag},
    {K::Clear, 3, 7560, 2040, 615, 375, 99, "クリア", L::Button, DefaultFont},
    {K::Caption, 42, 4200, 2400, 1095, 375, 106, "生年月日", L::Caption, NoFlag},
    {K::Entry, 38, 5280, 2400, 735, 375, 105, nullptr, L::Entry, NoFlag},
    {K::Caption, 43, 6000, 2400, 285, 375, 107, "年", L::Unit, NoFlag},
    {K::Entry, 39, 6240, 2400, 735, 375, 104, nullptr, L::Entry, NoFlag},
    {K::Caption, 44, 6960, 2400, 285, 375, 108, "月", L::Unit, NoFlag},
    {K::Entry, 40, 7200, 2400, 735, 375, 103, nullptr, L::Entry, NoFlag},
    {K::Caption, 45, 7920, 2400, 255, 375, 109, "日", L::Unit, NoFlag},
    {K::Caption, 21, 4200, 2760, 735, 375, 55, "年齢", L::Caption, NoFlag},
    {K::Entry, 34, 4920, 2760, 615, 375, 21, nullptr, L::Entry, NoFlag},
    {K::Caption, 22, 5520, 2760, 375, 375, 56, "才", L::Unit, NoFlag},
    {K::Caption, 24, 5880, 2760, 165, 375, 58, "", L::Bar, NoFlag},
    {K::Caption, 23, 6000, 2760, 735, 375, 57, "職業", L::Caption, NoFlag},
    {K::Entry, 35, 6720, 2760, 1455, 375, 20, nullptr, L::Entry, NoFlag},
    {K::Caption, 26, 4200, 3120, 975, 375, 60, "ﾒｰﾙｱﾄﾞﾚｽ", L::Caption, Small},
    {K::Entry, 42, 5160, 3120, 975, 375, 19, nullptr, L::Entry, NoFlag},
    {K::Caption, 27, 6120, 3120, 285, 375, 111, "＠", L::Unit, NoFlag},
    {K::Entry, 43, 6360, 3120, 1815, 375, 18, nullptr, L::Entry, NoFlag},
    {K::Caption, 28, 4200, 3480, 1455, 375, 61, "希望ＩＤ", L::Caption, NoFlag},
    {K::Entry, 44, 5640, 3480, 2535, 375, 17, nullptr, L::Entry, NoFlag},
    {K::Caption, 29, 4200, 3840, 1455, 375, 62, "希望パスワード", L::Caption, Small},
    {K::Entry, 45, 5640, 3840, 2535, 375, 16, nullptr, L::Entry, NoFlag},
    {K::Caption, 41, 4200, 4320, 3375, 375, 74, "あなたのホームページの情報", L::Heading, NoFlag},
    {K::Clear, 5, 7560, 4320, 615, 375, 101, "クリア", L::Button, DefaultFont},
    {K::Caption, 39, 4200, 4680, 1335, 375, 72, "サイトのタイトル", L::Caption, DefaultFont},
    {K::Entry, 51, 5520, 4680, 2655, 375, 12, nullptr, L::Entry, DefaultFont | MultiLine},
    {K::Caption, 38, 4200, 5040, 1335, 375, 71, "サイト(フリガナ)", L::Caption, DefaultFont},
    {K::Entry, 52, 5520, 5040, 2655, 375, 11, nullptr, L::Entry, DefaultFont | MultiLine},
    {K::Caption, 37, 4200, 5400, 1335, 375, 70, "サイトＵＲＬ", L::Caption, DefaultFont},
    {K::Entry, 53, 5520, 5400, 2655, 375, 10, nullptr, L::Entry, DefaultFont | MultiLine},
    {K::Caption, 36, 4200, 5760, 1335, 735, 69, "サイトの説明", L::Caption, DefaultFont},
    {K::Entry, 54, 5520, 5760, 2655, 735, 9, nullptr, L::Entry, DefaultFont | MultiLine},
    {K::Caption, 35, 4200, 6480, 1335, 375, 68, "1日アクセス数", L::Caption, DefaultFont},
    {K::Entry, 55, 5520, 6480, 2655, 375, 8, nullptr, L::Entry, MultiLine | Tip},
    {K::Caption, 40, 4200, 6840, 1335, 375, 73, "1月アクセス数", L::Caption, DefaultFont},
    {K::Entry, 56, 5520, 6840, 2655, 375, 7, nullptr, L::Entry, MultiLine | Tip},
};

// The derived slots' entries: never shown, but every slot has an entry to load and clear.
struct HiddenEntry
{
    int slot;
    int left, top; // twips, inside Frame1
};
constexpr QRect Frame1Design(0, 0, 2535, 975); // twips
constexpr QSize HiddenEntrySize(255, 270);     // twips
constexpr HiddenEntry HiddenEntries[] = {
    {0, 0, 0},      {3, 240, 0},    {4, 480, 0},    {5, 720, 0},    {6, 960, 0},     {7, 1200, 0},
    {8, 1440, 0},   {9, 1680, 0},   {12, 1920, 0},  {15, 0, 240},   {16, 240, 240},  {19, 480, 240},
    {24, 720, 240}, {25, 960, 240}, {29, 1200, 240}, {30, 1440, 240}, {36, 1680, 240}, {37, 1920, 240},
    {41, 720, 480}, {46, 960, 480},
};

struct DesignText
{
    int slot;
    const char *text;
};
// What an entry holds before the load replaces it; only seen if the load fails part-way.
constexpr DesignText DesignTexts[] = {
    {1, "田中"},    {2, "太郎"}, {10, "ﾀﾅｶ"}, {11, "ﾀﾛｳ"}, {13, "TANAKA"}, {14, "TARO"}, {26, ""},
    {51, "ｑｑｑｑｑｑｑｑ\r\nＱＱＱＱＱＱＱＱ\r\nｑｑｑｑｑｑｑｑ"},
    {54, "■■■■■■\r\nｑｑｑｑｑｑｑｑ\r\nＱＱＱＱＱＱＱＱ"},
};

QString entryDesignText(int slot)
{
    for (const DesignText &d : DesignTexts)
        if (d.slot == slot)
            return QString::fromUtf8(d.text);
    return designText();
}

struct LookDesign
{
    Look look;
    const char *name;
    QRgb background;
    QRgb text;
};
constexpr LookDesign Looks[] = {
    {Look::Entry, "entry", 0xFFFFFF, 0x000000},   {Look::Caption, "caption", 0xFFFFC0, 0xFF8080},
    {Look::Heading, "heading", 0xC0FFFF, 0x0000FF}, {Look::Unit, "unit", 0xFFFFFF, 0xFF8080},
    {Look::Bar, "bar", 0x000000, 0xFF8080},        {Look::Button, "button", 0xC0FFC0, 0x000000},
};

const LookDesign &lookOf(Look look)
{
    return *std::find_if(std::begin(Looks), std::end(Looks), [look](const LookDesign &l) { return l.look == look; });
}

// One sheet for the window's entries: flat one-pixel borders, no scroll bars, and the
// entry look's colours, as the table above gives them. Captions and buttons paint
// themselves.
QString lookSheet()
{
    const LookDesign &entry = lookOf(Look::Entry);
    return QStringLiteral("QLineEdit, QPlainTextEdit { border: 1px solid black; padding: 0px; margin: 0px; }\n"
                          "*[look=\"%1\"] { background: %2; color: %3; }\n")
        .arg(QLatin1String(entry.name), QColor::fromRgb(entry.background).name(), QColor::fromRgb(entry.text).name());
}

// An entry holds a value of any length; QLineEdit would cut it at 32767 characters.
QLineEdit *unlimited(QLineEdit *e)
{
    e->setMaxLength(std::numeric_limits<int>::max());
    return e;
}

QWidget *makeEntry(const Control &c, QWidget *parent)
{
    QWidget *w = nullptr;
    if (c.flags & MultiLine) {
        auto *e = new QPlainTextEdit(parent);
        e->setTabChangesFocus(true);
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QTextOption option(Qt::AlignHCenter);
        // A word longer than a line is broken at the edge, as a multi-line edit box does,
        // instead of standing centred with both ends cut.
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        e->document()->setDefaultTextOption(option);
        e->document()->setDocumentMargin(1);
        w = e;
    } else {
        auto *e = unlimited(new QLineEdit(parent));
        e->setAlignment(Qt::AlignCenter);
        // Selected text can be dragged out, as from the multi-line entries.
        e->setDragEnabled(true);
        w = e;
    }
    w->setObjectName(QStringLiteral("Text(%1)").arg(c.index));
    w->setAccessibleName(slotName(c.index));
    w->setAcceptDrops(false);
    if (c.flags & Tip)
        w->setToolTip(QStringLiteral("フォームのテキストボックスへDrag&Drop"));
    return w;
}

QLineEdit *makeCaption(const Control &c, QWidget *parent)
{
    const LookDesign &look = lookOf(c.look);
    auto *e = new CaptionBox(QString::fromUtf8(c.text), QColor::fromRgb(look.background), QColor::fromRgb(look.text),
                             parent);
    e->setObjectName(QStringLiteral("項目(%1)").arg(c.index));
    return e;
}

QPushButton *makeButton(const Control &c, const QString &name, QWidget *parent)
{
    auto *b = new FaceButton(QString::fromUtf8(c.text), QColor::fromRgb(lookOf(c.look).background), parent);
    b->setObjectName(name);
    return b;
}

// Where the design puts it, in its look and font.
void place(QWidget *w, const Control &c)
{
    w->setProperty("look", QString::fromLatin1(lookOf(c.look).name));
    w->setGeometry(px(c.left), px(c.top), px(c.width), px(c.height));
    if (c.flags & Small)
        w->setFont(gothicFont(SmallPoints));
    else if (!(c.flags & DefaultFont))
        w->setFont(gothicFont(EntryPoints));
}

// What a multi-line entry's document holds as a value: toPlainText() would also turn
// no-break spaces into spaces; only the paragraph and line separators of the document are
// line breaks of the value.
QString valueOf(const QTextDocument *document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

QString shownText(const QWidget *w)
{
    if (auto *line = qobject_cast<const QLineEdit *>(w))
        return line->text();
    if (auto *multi = qobject_cast<const QPlainTextEdit *>(w))
        return valueOf(multi->document());
    return {};
}

// Puts text into an entry, which shows its beginning.
void put(QWidget *w, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        line->setText(text);
        // setText leaves the cursor at the end, and a long value would show its end.
        line->setCursorPosition(0);
    } else if (auto *multi = qobject_cast<QPlainTextEdit *>(w)) {
        multi->setPlainText(text);
    }
}

// A value too long to lay out at once waits here while its entry holds only the beginning
// it shows: QLineEdit and QPlainTextEdit lay out their whole text at every change, and a
// value of a million characters held the editor's opening for seconds. The entry takes
// the whole value before the first key, click or turn of the wheel reaches it, or the
// focus moves into it by Tab or a click, so that the user edits, selects and copies the
// whole; the editor reads the value from here until then.
class WaitingValue : public QObject
{
public:
    // Values up to this length go into their entry at once.
    static constexpr qsizetype LongerThan = 4096;

    static void hold(QWidget *entry, const QString &whole) { new WaitingValue(entry, whole); }

    // The one waiting for entry, unless entry was given another text since.
    static const WaitingValue *of(const QWidget *entry)
    {
        const WaitingValue *waiting = find(entry);
        return waiting && shownText(entry) == waiting->m_shown ? waiting : nullptr;
    }

    static void drop(QWidget *entry)
    {
        if (WaitingValue *waiting = find(entry))
            waiting->release(false);
    }

    // What the entry would give with the whole value in it.
    QString value() const
    {
        if (!qobject_cast<const QPlainTextEdit *>(m_entry))
            return m_whole;
        // The same conversion as in the entry, in a document that is never laid out.
        QTextDocument document;
        document.setPlainText(m_whole);
        return valueOf(&document);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn: {
            // Not the focus the window gives its first entry when it opens or comes back.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::OtherFocusReason)
                release(true);
            break;
        }
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            release(true);
            break;
        default:
            break;
        }
        return false;
    }

private:
    WaitingValue(QWidget *entry, const QString &whole)
        : QObject(entry)
        , m_entry(entry)
        , m_whole(whole)
    {
        put(entry, whole.first(startLength(entry, whole)));
        m_shown = shownText(entry);
        entry->installEventFilter(this);
        if (auto *multi = qobject_cast<QPlainTextEdit *>(entry))
            multi->viewport()->installEventFilter(this);
    }

    static WaitingValue *find(const QWidget *entry)
    {
        for (QObject *child : entry->children())
            if (auto *waiting = dynamic_cast<WaitingValue *>(child))
                return waiting;
        return nullptr;
    }

    // More characters than the entry can show at once, ending between two whole
    // characters: a longer start would only cost its layout.
    static qsizetype startLength(const QWidget *entry, const QString &text)
    {
        const QFontMetricsF metrics(entry->font());
        qreal narrowest = metrics.horizontalAdvance(QLatin1Char('i'));
        for (QChar c : QStringLiteral("l.,:;'|!"))
            narrowest = std::min(narrowest, metrics.horizontalAdvance(c));
        const qsizetype lines = qsizetype(entry->height() / metrics.lineSpacing()) + 1;
        const qsizetype perLine = qsizetype(entry->width() / std::max(narrowest, qreal(1))) + 2;
        const qsizetype wanted = std::clamp(lines * perLine, qsizetype(64), LongerThan / 2);
        constexpr qsizetype Context = 64; // enough to tell whether a boundary is one
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QStringView(text).first(wanted + Context));
        finder.setPosition(wanted);
        if (finder.isAtBoundary() || finder.toPreviousBoundary() > 0)
            return finder.position();
        return text.at(wanted - 1).isHighSurrogate() ? wanted + 1 : wanted;
    }

    void release(bool intoEntry)
    {
        m_entry->removeEventFilter(this);
        if (auto *multi = qobject_cast<QPlainTextEdit *>(m_entry))
            multi->viewport()->removeEventFilter(this);
        setParent(nullptr);
        deleteLater();
        if (intoEntry)
            put(m_entry, m_whole);
    }

    QWidget *m_entry;
    QString m_whole;
    QString m_shown; // what the entry gave with the beginning in it
};

QString plainTextOf(const QWidget *w)
{
    if (const WaitingValue *waiting = WaitingValue::of(w))
        return waiting->value();
    return shownText(w);
}

} // namespace

Form2::Form2(Services services, const Record &start)
    : FixedWindow(Design)
    , m_services(std::move(services))
{
    setStyleSheet(lookSheet());

    // Frame1 first, so that it lies behind everything (it is never shown anyway).
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(px(Frame1Design.x()), px(Frame1Design.y()), px(Frame1Design.width()), px(Frame1Design.height()));
    Frame1->setVisible(false);
    for (const HiddenEntry &h : HiddenEntries) {
        auto *e = unlimited(new QLineEdit(Frame1));
        e->setObjectName(QStringLiteral("Text(%1)").arg(h.slot));
        e->setGeometry(px(h.left), px(h.top), px(HiddenEntrySize.width()), px(HiddenEntrySize.height()));
        Text[h.slot] = e;
    }

    std::vector<std::pair<int, QWidget *>> focusChain;
    for (const Control &c : Controls) {
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::Entry: w = Text[c.index] = makeEntry(c, this); break;
        case Kind::Caption: w = 項目[c.index] = makeCaption(c, this); break;
        case Kind::Clear:
            w = Command1[c.index] = makeButton(c, QStringLiteral("Command1(%1)").arg(c.index), this);
            connect(Command1[c.index], &QPushButton::clicked, this, [this, group = c.index] { onCommand1Click(group); });
            break;
        case Kind::Update:
            w = btn内容更新 = makeButton(c, QStringLiteral("btn内容更新"), this);
            connect(btn内容更新, &QPushButton::clicked, this, &Form2::onUpdateClick);
            break;
        case Kind::Cancel:
            w = btnキャンセル = makeButton(c, QStringLiteral("btnキャンセル"), this);
            connect(btnキャンセル, &QPushButton::clicked, this, &Form2::onCancelClick);
            break;
        }
        place(w, c);
        focusChain.emplace_back(c.focus, w);
    }
    std::sort(focusChain.begin(), focusChain.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < focusChain.size(); ++i)
        setTabOrder(focusChain[i - 1].second, focusChain[i].second);

    for (int slot = 0; slot < SlotCount; ++slot)
        setEntry(slot, entryDesignText(slot));
    load(start);
    Text[1]->setFocus(Qt::OtherFocusReason);
}

QString Form2::entry(int slot) const
{
    return plainTextOf(Text.at(slot));
}

void Form2::setEntry(int slot, const QString &text)
{
    QWidget *w = Text.at(slot);
    WaitingValue::drop(w);
    // A screen reader may read and edit an entry through its accessible interface, which
    // no event of the entry's tells; it gets the whole value at once.
    if (text.size() > WaitingValue::LongerThan && !QAccessible::isActive())
        WaitingValue::hold(w, text);
    else
        put(w, text);
}

Record Form2::entries() const
{
    Record r;
    for (int i = 0; i < SlotCount; ++i)
        r[i] = entry(i);
    return r;
}

void Form2::load(const Record &start)
{
    trap(m_services, [&] {
        for (int slot = 0; slot < SlotCount; ++slot)
            setEntry(slot, start[slot]);
    });
}

void Form2::onCommand1Click(int index)
{
    trap(m_services, [&] {
        const SlotRange range = Groups.at(index);
        for (int slot = range.first; slot <= range.last; ++slot)
            setEntry(slot, QString());
    });
}

void Form2::onUpdateClick()
{
    trap(m_services, [&] {
        const Record values = deriveRecord(entries());
        Q_EMIT updated(values);
        if (m_services.ownProfileFolder)
            makeFolderFor(m_services.profilePath);
        writeProfile(m_services.profilePath, values);
        close();
    });
}

void Form2::onCancelClick()
{
    trap(m_services, [&] { close(); });
}

} // namespace mq
