#pragma once

namespace brivello::toolcatalogue {

class frmInstall;
class frmTools;

// The tools window and its install dialog share the install directory and
// show one another. The composition root hands each of them this, so that
// asking for the other window loads it on its first reference.
class ToolWindows
{
public:
    virtual frmTools &tools() = 0;
    virtual frmInstall &install() = 0;

protected:
    ~ToolWindows() = default;
};

} // namespace brivello::toolcatalogue
