#pragma once

#include "ui/Context.h"
#include "ui/Window.h"

class QLineEdit;
class QPushButton;

namespace brivello::toolcatalogue {

class ToolWindows;

// The install dialog: asks for the folder a tool is copied into. The only
// window with a border of its own. OK only hides it, so the next install
// finds the text as the user left it; the close button closes it, and the
// next install loads it anew.
class frmInstall : public ui::Window
{
    Q_OBJECT
public:
    frmInstall(const ui::Context &context, ToolWindows &windows);

    // Proposes a folder named after the tool on which the tools window's
    // data source stands.
    void formLoad() override;

    // Stores a non-empty text as the install directory and hides the
    // dialog; with an empty text the dialog stays.
    void cmdOK_Click();

    QLineEdit &txtGetDir() const { return *m_folder; }
    QPushButton &cmdOK() const { return *m_ok; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    const ui::Context &m_context;
    ToolWindows &m_windows;
    QLineEdit *m_folder;
    QPushButton *m_ok;
};

} // namespace brivello::toolcatalogue
