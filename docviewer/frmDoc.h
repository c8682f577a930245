#pragma once

#include "app/MainWindow.h"

namespace brivello::docviewer {

// The documentation window: the contents panel, the index panels and the
// pages read from the disc.
class frmDoc : public app::MainWindow
{
    Q_OBJECT
public:
    explicit frmDoc(const app::Context &context);
};

} // namespace brivello::docviewer
