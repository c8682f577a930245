#include "docviewer/frmDoc.h"

namespace brivello::docviewer {

frmDoc::frmDoc(const app::Context &context)
    : MainWindow(QStringLiteral("frmDoc"), context, resources::Page::Documentation,
                 app::NavigationOwner::Documentation)
{}

} // namespace brivello::docviewer
