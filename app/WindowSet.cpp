#include "app/WindowSet.h"

#include "app/MainWindow.h"
#include "app/Navigation.h"
#include "app/WindowStack.h"
#include "app/frmHelp.h"
#include "app/frmSplash.h"
#include "app/frmSplashOut.h"
#include "docviewer/frmDoc.h"
#include "logos/frmLogo.h"
#include "ringtones/frmRing.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"

namespace brivello::app {

WindowSet::WindowSet(const platform::Platform &platform, WindowStack &stack, const ButtonImages &images)
    : m_context{platform, stack, *this, images}
{}

WindowSet::~WindowSet()
{
    // The help and install windows go first: they may hold on to the others.
    m_help.reset();
    m_install.reset();
}

template <typename W> W &WindowSet::reference(std::unique_ptr<W> &slot)
{
    if (!slot) {
        slot = std::make_unique<W>(m_context);
        m_made.push_back(slot.get());
        if constexpr (std::is_base_of_v<MainWindow, W>)
            connectNavigation(*slot, m_context);
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
    return reference(m_tools);
}

toolcatalogue::frmInstall &WindowSet::install()
{
    return reference(m_install);
}

frmHelp &WindowSet::help()
{
    return reference(m_help);
}

frmSplashOut &WindowSet::splashOut()
{
    return reference(m_splashOut);
}

std::vector<Window *> WindowSet::made() const
{
    return m_made;
}

} // namespace brivello::app
