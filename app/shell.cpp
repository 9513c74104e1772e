#include "shell.h"

#include "form2.h"
#include "form3.h"

#include <QCoreApplication>

namespace mq {

Shell::Shell(const Services &services)
    : m_services(services)
    , m_palette(services)
{
    connect(&m_palette, &Form1::editorRequested, this, &Shell::showEditor);
    connect(&m_palette, &Form1::helpRequested, this, &Shell::showHelp);
    connect(&m_palette, &Form1::closed, this, &Shell::closeAll);
}

Shell::~Shell()
{
    delete m_editor;
    delete m_help;
}

void Shell::showEditor()
{
    if (!m_editor) {
        // Its load copies the palette as it is now, and reports its own failures.
        m_editor = new Form2(m_services, m_palette.values());
        connect(m_editor, &Form2::updated, &m_palette, &Form1::setValues);
    }
    bringToFront(m_editor);
}

void Shell::showHelp()
{
    if (!m_help)
        m_help = new Form3(m_services);
    bringToFront(m_help);
}

void Shell::closeAll()
{
    delete m_editor;
    delete m_help;
    QCoreApplication::quit();
}

} // namespace mq
