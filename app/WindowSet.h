#pragma once

#include "app/Context.h"

#include <memory>
#include <vector>

namespace brivello::ringtones {
class frmRing;
}
namespace brivello::logos {
class frmLogo;
}
namespace brivello::docviewer {
class frmDoc;
}
namespace brivello::toolcatalogue {
class frmTools;
class frmInstall;
} // namespace brivello::toolcatalogue

namespace brivello::app {

class frmHelp;
class frmSplash;
class frmSplashOut;
class Window;

// Every window of the program, each made and loaded by the first reference to
// it: asking for a window here is such a reference.
class WindowSet
{
public:
    WindowSet(const platform::Platform &platform, WindowStack &stack, const ButtonImages &images);
    ~WindowSet();
    WindowSet(const WindowSet &) = delete;
    WindowSet &operator=(const WindowSet &) = delete;

    frmSplash &splash();
    ringtones::frmRing &ring();
    logos::frmLogo &logo();
    docviewer::frmDoc &doc();
    toolcatalogue::frmTools &tools();
    toolcatalogue::frmInstall &install();
    frmHelp &help();
    frmSplashOut &splashOut();

    // The windows made so far, in the order they were made.
    std::vector<Window *> made() const;
    const Context &context() const { return m_context; }

private:
    template <typename W> W &reference(std::unique_ptr<W> &slot);

    Context m_context;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<ringtones::frmRing> m_ring;
    std::unique_ptr<logos::frmLogo> m_logo;
    std::unique_ptr<docviewer::frmDoc> m_doc;
    std::unique_ptr<toolcatalogue::frmTools> m_tools;
    std::unique_ptr<toolcatalogue::frmInstall> m_install;
    std::unique_ptr<frmHelp> m_help;
    std::unique_ptr<frmSplashOut> m_splashOut;
    std::vector<Window *> m_made;
};

} // namespace brivello::app
