#include "form1.h"

#include "app/errorreport.h"
#include "app/look.h"
#include "windows/dragdata.h"
#include "windows/facebutton.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/textline.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace mq {

namespace {

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
// Row k (from 1) has its top at 240 * k; the slots fill the rows in order.
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
    const char *caption;
    int left, top, width, height; // twips
    QRgb face;
};

constexpr ButtonDesign EditButton{"内容変更", 0, 0, 855, 255, 0xC0FFC0};
constexpr ButtonDesign HelpButton{"ヘルプ", 840, 0, 855, 255, 0xFFFFC0};

QPushButton *makeButton(QWidget *parent, const ButtonDesign &d)
{
    auto *b = new FaceButton(QString::fromUtf8(d.caption), QColor::fromRgb(d.face), parent);
    b->setGeometry(px(d.left), px(d.top), px(d.width), px(d.height));
    return b;
}

} // namespace

PaletteBox::PaletteBox(int index, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
    , m_text(designText())
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeHorCursor);
    setToolTip(QStringLiteral("フォームのテキストボックスへDrag&Drop"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaletteBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void PaletteBox::setTextColor(const QColor &color)
{
    m_color = color;
    update();
}

QString PaletteBox::shownText() const
{
    // A line break inside the value shows as a space; the drag still carries it.
    return asOneLine(m_text);
}

void PaletteBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    paintRimmed(p, r, Qt::white);

    const QRect inner = r.adjusted(2, 1, -2, -1);
    p.setClipRect(inner);
    p.setPen(m_color);
    // Shown as shownText(); a long value shows its start, so it is still recognisable.
    drawTextLine(p, inner, m_text, font(), Overflow::ShowStart);
    if (hasFocus()) {
        QPen dots(m_color, 1, Qt::DotLine);
        p.setPen(dots);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

void PaletteBox::mousePressEvent(QMouseEvent *event)
{
    // Any button drags at once, without waiting for the pointer to move.
    event->accept();
    Q_EMIT pressed(m_index);
}

Form1::Form1(Services services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("MQ"));
    setFixedSize(px(1710), px(8205));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    int slot = 0;
    int row = 1;
    for (Pattern pattern : Rows) {
        for (const BoxSpan &s : spans(pattern)) {
            auto *box = new PaletteBox(slot, this);
            box->setObjectName(QStringLiteral("Text(%1)").arg(slot));
            box->setGeometry(px(s.left), px(RowPitch * row), px(s.width), px(BoxHeight));
            box->setTextColor(bandColor(slot));
            connect(box, &PaletteBox::pressed, this, &Form1::onBoxPressed);
            m_boxes[slot++] = box;
        }
        ++row;
    }
    Q_ASSERT(slot == SlotCount);

    // Made after the boxes so they lie on top of the first row's 1-pixel overlap.
    Command1 = makeButton(this, EditButton);
    Command1->setObjectName(QStringLiteral("Command1"));
    btnHelp = makeButton(this, HelpButton);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    connect(Command1, &QPushButton::clicked, this, &Form1::onCommand1Click);
    connect(btnHelp, &QPushButton::clicked, this, &Form1::onHelpClick);

    QWidget *previous = nullptr;
    for (int s : FocusOrder) {
        if (previous)
            setTabOrder(previous, m_boxes[s]);
        previous = m_boxes[s];
    }
    setTabOrder(previous, Command1);
    setTabOrder(Command1, btnHelp);
    m_boxes[0]->setFocus();
}

Form1::~Form1()
{
    delete m_form2;
    delete m_form3;
}

Form2 *Form1::editor() const
{
    return m_form2.data();
}

Form3 *Form1::help() const
{
    return m_form3.data();
}

Record Form1::values() const
{
    Record r;
    for (int i = 0; i < SlotCount; ++i)
        r[i] = m_boxes[i]->text();
    return r;
}

void Form1::onBoxPressed(int slot)
{
    trap(m_services, [&] {
        PaletteBox *box = Text(slot);
        // On the heap: on X11 exec() returns when the drop is sent, and the target asks
        // for the data after that; Qt deletes the drag when the transfer is done.
        auto *drag = new QDrag(box);
        drag->setMimeData(makeDragData(box->text()));
        drag->exec(Qt::CopyAction, Qt::CopyAction);
    });
}

void Form1::onCommand1Click()
{
    trap(m_services, [&] {
        if (!m_form2) {
            m_form2 = new Form2(*this, m_services);
            // The editor's load reports its own failures; the click carries on regardless.
            m_form2->load();
        }
        m_form2->show();
        m_form2->raise();
        m_form2->activateWindow();
    });
}

void Form1::onHelpClick()
{
    trap(m_services, [&] {
        if (!m_form3)
            m_form3 = new Form3(m_services);
        m_form3->show();
        m_form3->raise();
        m_form3->activateWindow();
    });
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the palette ends everything at once: nothing asked, nothing saved.
    event->accept();
    trap(m_services, [&] {
        delete m_form2;
        delete m_form3;
        QCoreApplication::quit();
    });
}

} // namespace mq
