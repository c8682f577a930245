#include "app/ExitProgram.h"

#include "app/WindowSet.h"
#include "app/frmSplashOut.h"
#include "ui/Context.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

namespace brivello::app {

namespace {

// The order the windows are closed in at the end of the run.
constexpr const char16_t *closingOrder[] = {
    u"frmLogo", u"frmHelp", u"frmDoc", u"frmTools", u"frmRing", u"frmInstall", u"frmSplash", u"frmSplashOut",
};

// Closes the loaded windows by the order above; a window never loaded (nor
// one closed already) is passed over rather than loaded only to be closed.
void closeEveryWindow(WindowSet &windows)
{
    const ui::Context &context = windows.context();
    const std::vector<ui::Window *> made = windows.made();
    for (const char16_t *name : closingOrder) {
        for (ui::Window *window : made) {
            if (window->objectName() == QStringView(name) && context.stack.isLoaded(*window))
                context.stack.close(*window);
        }
    }
}

} // namespace

void ExitProgram(WindowSet &windows)
{
    windows.context().stack.showModal(windows.splashOut(), [&windows] { closeEveryWindow(windows); });
}

} // namespace brivello::app
