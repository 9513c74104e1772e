#pragma once

#include <QColor>
#include <QLineEdit>

namespace mq {

// A read-only text box that labels others: its caption is drawn whole and centred across
// the whole box inside its rim, even where the box is narrower than a line edit's own
// margins allow (a unit such as 日 in a box of 17 pixels). Its text can still be selected
// and dragged out, as from any text box.
class CaptionBox : public QLineEdit
{
    Q_OBJECT
public:
    CaptionBox(const QString &caption, const QColor &background, const QColor &textColor, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background;
    QColor m_textColor;
};

} // namespace mq
