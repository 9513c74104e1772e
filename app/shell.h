#pragma once

#include "form1.h"
#include "services.h"

#include <QObject>
#include <QPointer>

namespace mq {

class Form2;
class Form3;

// The program's three windows and how they meet: the palette lives for the whole run; the
// editor and the help window are each made when first asked for, shown again while they
// are open, and made afresh after they were closed. The editor's update reaches the
// palette here. Closing the palette closes the others and ends the program.
class Shell : public QObject
{
    Q_OBJECT
public:
    explicit Shell(const Services &services);
    ~Shell() override;

    Form1 &palette() { return m_palette; }

private:
    void showEditor();
    void showHelp();
    void closeAll();

    Services m_services;
    Form1 m_palette;
    QPointer<Form2> m_editor;
    QPointer<Form3> m_help;
};

} // namespace mq
