#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "platform/WavePlayer.h"

#include <memory>

namespace brivello::platform {

// The services of the system the windows use. Windows receive one Platform
// from outside; the program gets the Qt implementations, tests get fakes.
struct Platform
{
    std::shared_ptr<MessageBox> messageBox;
    std::shared_ptr<InputBox> inputBox;
    std::shared_ptr<SaveFileDialog> saveFileDialog;
    std::shared_ptr<ProgramStarter> programStarter;
    std::shared_ptr<UrlOpener> urlOpener;
    std::shared_ptr<CurrentDirectory> currentDirectory;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<WavePlayer> wavePlayer;
};

// The services backed by Qt, for the program.
Platform makeQtPlatform();

} // namespace brivello::platform
