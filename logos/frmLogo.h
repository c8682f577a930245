#pragma once

#include "app/MainWindow.h"

namespace brivello::logos {

// The logo gallery: the operator logos of a category, 24 to a page.
class frmLogo : public app::MainWindow
{
    Q_OBJECT
public:
    explicit frmLogo(const app::Context &context);
};

} // namespace brivello::logos
