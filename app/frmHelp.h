#pragma once

#include "app/Context.h"
#include "app/Window.h"

namespace brivello::app {

class PictureBox;

// The help window: a small black borderless window centred on the screen,
// shown above the main window that asked for help.
class frmHelp : public Window
{
    Q_OBJECT
public:
    explicit frmHelp(const Context &context);

    PictureBox &pctBG() const { return *m_page; }
    void formLoad() override;

private:
    const Context &m_context;
    PictureBox *m_page;
};

} // namespace brivello::app
