#pragma once

// Everything a ringtone tool's window needs from outside: the platform's
// dialogs, program starter and clock, the sound output, the open dialog, the
// phone link and the devices a phone may be on, the disc it runs from and
// the private folder for the SMS tool's scratch files.

#include "phone/Devices.h"
#include "platform/Platform.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace brivello::ringtonetools {

class OpenFileDialog;
class PhoneLink;
class SoundOutput;

struct ToolServices
{
    platform::Platform platform;
    std::shared_ptr<SoundOutput> sound;
    std::shared_ptr<OpenFileDialog> openDialog;
    std::shared_ptr<PhoneLink> phoneLink;
    std::function<std::vector<phone::DeviceEntry>()> devices;
    QString discFolder;
    QString scratchFolder;
};

} // namespace brivello::ringtonetools
