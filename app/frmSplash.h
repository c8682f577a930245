#pragma once

#include "app/Context.h"
#include "app/Window.h"

namespace brivello::app {

class PictureBox;

// The splash window: the splash picture while the start-up loads the windows.
// It takes no input.
class frmSplash : public Window
{
    Q_OBJECT
public:
    explicit frmSplash(const Context &context);

    PictureBox &pctSplash() const { return *m_picture; }
    void formLoad() override;

private:
    PictureBox *m_picture;
};

} // namespace brivello::app
