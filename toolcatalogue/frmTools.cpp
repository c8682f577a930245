#include "toolcatalogue/frmTools.h"

namespace brivello::toolcatalogue {

frmTools::frmTools(const app::Context &context)
    : MainWindow(QStringLiteral("frmTools"), context, resources::Page::Tools, app::NavigationOwner::Tools)
{}

} // namespace brivello::toolcatalogue
