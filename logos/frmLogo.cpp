#include "logos/frmLogo.h"

namespace brivello::logos {

frmLogo::frmLogo(const app::Context &context)
    : MainWindow(QStringLiteral("frmLogo"), context, resources::Page::Logos, app::NavigationOwner::Logos)
{}

} // namespace brivello::logos
