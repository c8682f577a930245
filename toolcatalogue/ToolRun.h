#pragma once

#include "platform/Platform.h"

#include <QString>

namespace brivello::toolcatalogue {

// What the install reads of a tool's record in the table Tools.
struct ToolRecord
{
    QString name;    // toolnaam
    QString type;    // "K": copy install; anything else: run install
    QString dirname; // the tool's folder under the disc's tools folder
    QString start;   // the program a run install starts, in that folder
};

// The type test compares the exact text: a lower-case "k" is a run install.
inline bool isCopyInstall(const ToolRecord &tool)
{
    return tool.type == u"K";
}

// The tool's folder on the disc: program folder + "\tools\" + dirname.
QString toolFolder(const ToolRecord &tool);

// The folder the install dialog proposes at first: the system's folder of
// programs where there is one ("c:\program files\"), the user's home folder
// otherwise, followed by the tool's folder name; empty when the user has no
// home folder they can write.
QString proposedInstallDir(const QString &dirname);

// Starts the tool's own program from the disc without waiting for it. The
// tool named "Musicbox" starts from its fixed folder, which becomes the
// current directory; every other tool starts with the program folder as the
// current directory. Returns an Italian message when the program cannot be
// started, an empty text when it started.
QString runTool(const platform::Platform &platform, const ToolRecord &tool);

} // namespace brivello::toolcatalogue
