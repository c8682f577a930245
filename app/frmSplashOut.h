#pragma once

#include "app/Context.h"
#include "app/Window.h"

namespace brivello::app {

// The exit splash window: the advertising screen shown before the program
// ends.
class frmSplashOut : public Window
{
    Q_OBJECT
public:
    explicit frmSplashOut(const Context &context);

    void formLoad() override;

private:
    const Context &m_context;
};

} // namespace brivello::app
