#pragma once

#include "app/MainWindow.h"

namespace brivello::toolcatalogue {

// The tools window: the list of tools with their details and screen pictures.
class frmTools : public app::MainWindow
{
    Q_OBJECT
public:
    explicit frmTools(const app::Context &context);
};

} // namespace brivello::toolcatalogue
