#pragma once

#include "resources/Artwork.h"
#include "ui/Context.h"
#include "ui/NavigationBar.h"
#include "ui/Window.h"

namespace brivello::ui {

class PictureBox;

// A main window: borderless, over the whole screen, black, with its 640 x 480
// page pctBG centred and the navigation bar on the page.
class MainWindow : public Window
{
    Q_OBJECT
public:
    MainWindow(const QString &name, const Context &context, resources::Page page, NavigationOwner owner);

    PictureBox &pctBG() const { return *m_page; }
    const NavigationBar &navigationBar() const { return m_bar; }
    NavigationOwner navigationOwner() const { return m_owner; }

protected:
    // Fills the screen and centres the page on it.
    void formLoad() override;
    void centrePage();

    const Context &m_context;

private:
    PictureBox *m_page;
    NavigationOwner m_owner;
    NavigationBar m_bar;
};

} // namespace brivello::ui
