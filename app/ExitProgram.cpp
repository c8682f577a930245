#include "app/ExitProgram.h"

#include "app/Context.h"
#include "app/Window.h"
#include "app/WindowSet.h"
#include "app/WindowStack.h"
#include "app/frmSplashOut.h"

namespace brivello::app {

namespace {

// The order the windows are closed in at the end of the run.
constexpr const char16_t *closingOrder[] = {
    u"frmLogo", u"frmHelp", u"frmDoc", u"frmTools", u"frmRing", u"frmInstall", u"frmSplash", u"frmSplashOut",
};

// Closes the loaded windows by the order above; a window never loaded (nor
// one closed already) is passed over rather than loaded only to be closed.
void closeEveryWindow(const Context &context)
{
    const std::vector<Window *> made = context.windows.made();
    for (const char16_t *name : closingOrder) {
        for (Window *window : made) {
            if (window->objectName() == QStringView(name) && context.stack.isLoaded(*window))
                context.stack.close(*window);
        }
    }
}

} // namespace

void ExitProgram(const Context &context)
{
    context.stack.showModal(context.windows.splashOut(), [&context] { closeEveryWindow(context); });
}

} // namespace brivello::app
