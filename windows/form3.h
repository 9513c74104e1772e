#pragma once

#include "fixedwindow.h"
#include "services.h"

#include <array>

class QLabel;
class QPushButton;

namespace mq {

class LineControl;

// The help page: pictures, labels and an arrow, and a button that closes it.
// It is destroyed when closed; each opening builds a fresh one, centred on the screen.
class Form3 : public FixedWindow
{
    Q_OBJECT
public:
    explicit Form3(Services services);

private:
    void onCommand1Click();

    Services m_services;
    QPushButton *Command1 = nullptr; // 閉じる
    std::array<QLabel *, 3> Label1{};
    std::array<LineControl *, 3> Line1{};
    QLabel *Image1 = nullptr; // the palette
    QLabel *Image2 = nullptr; // the browser
    QLabel *Image3 = nullptr; // the balloon
};

} // namespace mq
