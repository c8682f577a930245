#pragma once

#include "toolcatalogue/ToolWindows.h"
#include "ui/Context.h"

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

namespace brivello::ui {
class Window;
} // namespace brivello::ui

namespace brivello::app {

class frmHelp;
class frmSplash;
class frmSplashOut;

// Every window of the program, each made and loaded by the first reference to
// it: asking for a window here is such a reference.
class WindowSet final : public toolcatalogue::ToolWindows
{
public:
    WindowSet(const platform::Platform &platform, ui::WindowStack &stack, const ui::ButtonImages &images);
    ~WindowSet();
    WindowSet(const WindowSet &) = delete;
    WindowSet &operator=(const WindowSet &) = delete;

    frmSplash &splash();
    ringtones::frmRing &ring();
    logos::frmLogo &logo();
    docviewer::frmDoc &doc();
    toolcatalogue::frmTools &tools() override;
    toolcatalogue::frmInstall &install() override;
    frmHelp &help();
    frmSplashOut &splashOut();

    // The windows made so far, in the order they were made.
    std::vector<ui::Window *> made() const;
    const ui::Context &context() const { return m_context; }

private:
    template <typename W, typename... Extra> W &reference(std::unique_ptr<W> &slot, Extra &...extra);

    ui::Context m_context;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<ringtones::frmRing> m_ring;
    std::unique_ptr<logos::frmLogo> m_logo;
    std::unique_ptr<docviewer::frmDoc> m_doc;
    std::unique_ptr<toolcatalogue::frmTools> m_tools;
    std::unique_ptr<toolcatalogue::frmInstall> m_install;
    std::unique_ptr<frmHelp> m_help;
    std::unique_ptr<frmSplashOut> m_splashOut;
    std::vector<ui::Window *> m_made;
};

} // namespace brivello::app
