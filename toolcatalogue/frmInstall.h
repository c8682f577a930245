#pragma once

#include "app/Context.h"
#include "app/Window.h"

class QLineEdit;
class QPushButton;

namespace brivello::toolcatalogue {

// The install dialog: asks for the folder a tool is copied into. The only
// window with a border of its own.
class frmInstall : public app::Window
{
    Q_OBJECT
public:
    explicit frmInstall(const app::Context &context);

    void formLoad() override;

    QLineEdit &txtGetDir() const { return *m_folder; }
    QPushButton &cmdOK() const { return *m_ok; }

private:
    const app::Context &m_context;
    QLineEdit *m_folder;
    QPushButton *m_ok;
};

} // namespace brivello::toolcatalogue
