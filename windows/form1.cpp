#include "form1.h"

#include "dragdata.h"
#include "errorreport.h"
#include "facebutton.h"
#include "look.h"
#include "palettebox.h"
#include "slotnames.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDrag>
#include <QGuiApplication>

namespace mq {

namespace {

constexpr WindowDesign Design{"Form1", "MQ", 1710, 8205, 0xFFFFFF, Placement::TopLeft, Lifetime::WholeRun};

enum class Pattern { Full, Pair, Phone, Date };

struct BoxSpan
{
    int left;  // twips
    int width; // twips
};

std::vector<BoxSpan> spans(Pattern p)
{
    switch (p) {
    case Pattern::Full: return {{0, 1695}};
    case Pattern::Pair: return {{0, 855}, {840, 855}};
    case Pattern::Phone: return {{0, 495}, {480, 495}, {960, 735}};
    case Pattern::Date: return {{0, 735}, {720, 495}, {1200, 495}};
    }
    return {};
}

using P = Pattern;
// Row k (from 1) has its top at RowPitch * k; the slots fill the rows in order.
constexpr Pattern Rows[] = {
    P::Full, P::Pair, P::Full, P::Pair, P::Full,  P::Pair, P::Full,  P::Pair, P::Full, P::Pair, P::Pair,
    P::Pair, P::Full, P::Pair, P::Pair, P::Pair,  P::Phone, P::Pair, P::Phone, P::Pair, P::Pair, P::Date,
    P::Full, P::Pair, P::Pair, P::Full, P::Pair,  P::Pair, P::Full,  P::Full, P::Full, P::Full, P::Pair,
};
constexpr int RowPitch = 240;
constexpr int BoxHeight = 270;

struct Band
{
    int first;
    int last;
    QRgb color;
};

constexpr Band Bands[] = {
    {0, 14, 0xFF8000},  {15, 18, 0x0000FF}, {19, 23, 0xFF00FF}, {24, 28, 0x00C0C0},
    {29, 33, 0x00C000}, {34, 35, 0xFFC0C0}, {36, 40, 0x000000}, {41, 43, 0xFF0000},
    {44, 45, 0x0000FF}, {46, 50, 0xFF00FF}, {51, 56, 0x00C0C0},
};

QColor bandColor(int slot)
{
    for (const Band &b : Bands)
        if (slot >= b.first && slot <= b.last)
            return QColor::fromRgb(b.color);
    return Qt::black;
}

// Text(50) comes after Text(56), then the two buttons.
constexpr int FocusOrder[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18,
                              19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37,
                              38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 51, 52, 53, 54, 55, 56, 50};

struct ButtonDesign
{
    const char *name;
    const char *caption;
    int left, top, width, height; // twips
    QRgb face;
};

constexpr ButtonDesign EditButton{"Command1", "内容変更", 0, 0, 855, 255, 0xC0FFC0};
constexpr ButtonDesign HelpButton{"btnHelp", "ヘルプ", 840, 0, 855, 255, 0xFFFFC0};

QPushButton *makeButton(QWidget *parent, const ButtonDesign &d)
{
    auto *b = new FaceButton(QString::fromUtf8(d.caption), QColor::fromRgb(d.face), parent);
    b->setObjectName(QString::fromLatin1(d.name));
    b->setGeometry(px(d.left), px(d.top), px(d.width), px(d.height));
    return b;
}

} // namespace

Form1::Form1(Services services)
    : FixedWindow(Design)
    , m_services(std::move(services))
{
    // The palette's own default font, which its boxes and buttons use.
    setFont(paletteFont());
    int slot = 0;
    int row = 1;
    for (Pattern pattern : Rows) {
        for (const BoxSpan &s : spans(pattern)) {
            auto *box = new PaletteBox(slot, bandColor(slot), this);
            box->setObjectName(QStringLiteral("Text(%1)").arg(slot));
            box->setAccessibleName(slotName(slot));
            box->setGeometry(px(s.left), px(RowPitch * row), px(s.width), px(BoxHeight));
            connect(box, &PaletteBox::pressed, this, &Form1::onBoxPressed);
            connect(box, &PaletteBox::copyRequested, this, &Form1::onBoxCopy);
            Text[slot++] = box;
        }
        ++row;
    }
    Q_ASSERT(slot == SlotCount);

    // Made after the boxes so they lie on top of the first row's 1-pixel overlap.
    Command1 = makeButton(this, EditButton);
    btnHelp = makeButton(this, HelpButton);
    connect(Command1, &QPushButton::clicked, this, &Form1::onCommand1Click);
    connect(btnHelp, &QPushButton::clicked, this, &Form1::onHelpClick);

    QWidget *previous = nullptr;
    for (int s : FocusOrder) {
        if (previous)
            setTabOrder(previous, Text[s]);
        previous = Text[s];
    }
    setTabOrder(previous, Command1);
    setTabOrder(Command1, btnHelp);
    Text[0]->setFocus();
}

Record Form1::values() const
{
    Record r;
    for (int i = 0; i < SlotCount; ++i)
        r[i] = Text[i]->text();
    return r;
}

void Form1::setValues(const Record &values)
{
    for (int i = 0; i < SlotCount; ++i)
        Text[i]->setText(values[i]);
}

void Form1::setValue(int slot, const QString &text)
{
    Text.at(slot)->setText(text);
}

void Form1::onBoxPressed(int slot)
{
    trap(m_services, [&] {
        PaletteBox *box = Text.at(slot);
        // On the heap: on X11 exec() returns when the drop is sent, and the target asks
        // for the data after that; Qt deletes the drag when the transfer is done.
        auto *drag = new QDrag(box);
        drag->setMimeData(makeDragData(box->text()));
        drag->exec(Qt::CopyAction, Qt::CopyAction);
    });
}

void Form1::onBoxCopy(int slot)
{
    trap(m_services, [&] {
        // The same data a drop receives, for targets that take no drops.
        QGuiApplication::clipboard()->setMimeData(makeDragData(Text.at(slot)->text()));
    });
}

void Form1::onCommand1Click()
{
    trap(m_services, [&] { Q_EMIT editorRequested(); });
}

void Form1::onHelpClick()
{
    trap(m_services, [&] { Q_EMIT helpRequested(); });
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Nothing asked, nothing saved: the close is never refused.
    event->accept();
    trap(m_services, [&] { Q_EMIT closed(); });
}

} // namespace mq
