#pragma once

#include "ui/Context.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <array>

class QFrame;
class QLabel;
class QTextEdit;

namespace brivello::ui {
class PictureBox;
} // namespace brivello::ui

namespace brivello::app {

// The help window: a small borderless window centred on the screen, shown
// above the main window that asked for help, with that window's help page or
// the about panel. A click on its background closes it.
class frmHelp : public ui::Window
{
    Q_OBJECT
public:
    // The four help boxes, one for each main window.
    enum class HelpBox { Vindara, Info, Logo, Tools };

    explicit frmHelp(const ui::Context &context);

    // Shows the window modally with `box` alone visible; `then` runs once the
    // window has been hidden again.
    void ShowHelpPage(HelpBox box, ui::WindowStack::Continuation then = {});
    // Shows the window modally with the about panel alone visible.
    void ShowAbout();

    void formLoad() override;

    ui::PictureBox &pctBG() const { return *m_page; }
    QTextEdit &helpBox(HelpBox box) const;
    QFrame &fraAbout() const { return *m_fraAbout; }
    QFrame &HelpFrame() const { return *m_helpFrame; }
    QLabel &aboutLabel(const QString &name) const;

private:
    void placeHelpBoxes();
    void placeAboutPanel();
    void fillHelpBoxes();
    void showOnly(QTextEdit *visibleBox);
    void pctBG_Click();

    const ui::Context &m_context;
    ui::PictureBox *m_page;
    std::array<QTextEdit *, 4> m_boxes{};
    QFrame *m_fraAbout = nullptr;
    QFrame *m_helpFrame = nullptr;
};

} // namespace brivello::app
