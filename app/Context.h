#pragma once

#include "platform/Platform.h"

namespace brivello::app {

class ButtonImages;
class WindowSet;
class WindowStack;

// What every window is handed when it is made: the platform services, the
// window stack, the other windows and the button image list.
struct Context
{
    platform::Platform platform;
    WindowStack &stack;
    WindowSet &windows;
    const ButtonImages &images;
};

} // namespace brivello::app
