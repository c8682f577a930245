#pragma once

#include "ui/Context.h"
#include "ui/Window.h"

namespace brivello::ui {
class PictureBox;
} // namespace brivello::ui

namespace brivello::app {

// The splash window: the splash picture while the start-up loads the windows.
// It takes no input.
class frmSplash : public ui::Window
{
    Q_OBJECT
public:
    explicit frmSplash(const ui::Context &context);

    ui::PictureBox &pctSplash() const { return *m_picture; }
    void formLoad() override;

private:
    ui::PictureBox *m_picture;
};

} // namespace brivello::app
