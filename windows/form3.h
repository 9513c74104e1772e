#pragma once

#include "app/services.h"

#include <QWidget>

namespace mq {

// The help page: pictures, labels and an arrow, and a button that closes it.
class Form3 : public QWidget
{
    Q_OBJECT
public:
    explicit Form3(Services services);

    void onCommand1Click();

private:
    Services m_services;
};

} // namespace mq
