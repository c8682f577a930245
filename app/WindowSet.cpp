#include "app/WindowSet.h"

#include "app/Navigation.h"
#include "app/frmHelp.h"
#include "app/frmSplash.h"
#include "app/frmSplashOut.h"
#include "docviewer/frmDoc.h"
#include "logos/frmLogo.h"
#include "ringtones/frmRing.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"
#include "ui/MainWindow.h"
#include "ui/WindowStack.h"

namespace brivello::app {

WindowSet::WindowSet(const platform::Platform &platform, ui::WindowStack &stack,
                     const ui::ButtonImages &images)
    : m_context{platform, stack, images}
{}

WindowSet::~WindowSet()
{
    // The help and install windows go first: they may hold on to the others.
    m_help.reset();
    m_install.reset();
}

template <typename W, typename... Extra> W &WindowSet::reference(std::unique_ptr<W> &slot, Extra &...extra)
{
    if (!slot) {
        slot = std::make_unique<W>(m_context, extra...);
        m_made.push_back(slot.get());
        if constexpr (std::is_base_of_v<ui::MainWindow, W>)
            connectNavigation(*slot, *this);
    }
    m_context.stack.load(*slot);
    return *slot;
}

frmSplash &WindowSet::splash()
{
    return reference(m_splash);
}

ringtones::frmRing &WindowSet::ring()
{
    return reference(m_ring);
}

logos::frmLogo &WindowSet::logo()
{
    return reference(m_logo);
}

docviewer::frmDoc &WindowSet::doc()
{
    return reference(m_doc);
}

toolcatalogue::frmTools &WindowSet::tools()
{
    return reference(m_tools, static_cast<toolcatalogue::ToolWindows &>(*this));
}

toolcatalogue::frmInstall &WindowSet::install()
{
    return reference(m_install, static_cast<toolcatalogue::ToolWindows &>(*this));
}

frmHelp &WindowSet::help()
{
    return reference(m_help);
}

frmSplashOut &WindowSet::splashOut()
{
    return reference(m_splashOut);
}

std::vector<ui::Window *> WindowSet::made() const
{
    return m_made;
}

} // namespace brivello::app
