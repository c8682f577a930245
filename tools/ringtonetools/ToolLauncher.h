#pragma once

// One program, four tools: the disc copies it into each tool's folder under
// the tool's own program name, and the name it is started under chooses the
// tool (the folder's name when the program was renamed). The disc is two
// folders above the program: <disc>/tools/<tool folder>/<program>.

#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace brivello::ringtonetools {

struct ToolServices;

enum class Tool { Musicbox, Converter, Composer, Loader };

std::optional<Tool> toolForProgram(const QString &programPath);
QString discFolderOf(const QString &programPath);

// The tool's window, not yet shown.
std::unique_ptr<QWidget> openTool(Tool tool, const ToolServices &services);

// A window that lets the user pick one of the four, for a program started
// under a name that names none.
std::unique_ptr<QWidget> openChooser(const ToolServices &services);

} // namespace brivello::ringtonetools
