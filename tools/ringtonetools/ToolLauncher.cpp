#include "tools/ringtonetools/ToolLauncher.h"

#include "tools/ringtonetools/ComposerWindow.h"
#include "tools/ringtonetools/ConverterWindow.h"
#include "tools/ringtonetools/LoaderWindow.h"
#include "tools/ringtonetools/MusicboxWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

struct ToolName
{
    Tool tool;
    const char16_t *program; // the start name, without its extension
    const char16_t *folder;  // the tool's folder on the disc
    const char16_t *title;
};

constexpr ToolName ToolNames[] = {
    {Tool::Musicbox, u"musicbox", u"musicbox", u"Musicbox"},
    {Tool::Converter, u"convert", u"convertitore", u"Convertitore RTTTL"},
    {Tool::Composer, u"compositore", u"compositore", u"Compositore Suonerie"},
    {Tool::Loader, u"carica", u"carica suonerie", u"Carica Suonerie"},
};

} // namespace

std::optional<Tool> toolForProgram(const QString &programPath)
{
    const QFileInfo program(programPath);
    const QString name = program.completeBaseName().toLower();
    const QString folder = program.absoluteDir().dirName().toLower();
    for (const ToolName &entry : ToolNames) {
        if (name == QStringView(entry.program))
            return entry.tool;
    }
    for (const ToolName &entry : ToolNames) {
        if (folder == QStringView(entry.folder))
            return entry.tool;
    }
    return std::nullopt;
}

QString discFolderOf(const QString &programPath)
{
    return QDir::cleanPath(QFileInfo(programPath).absolutePath() + u"/../.."_s);
}

std::unique_ptr<QWidget> openTool(Tool tool, const ToolServices &services)
{
    switch (tool) {
    case Tool::Musicbox:
        return std::make_unique<MusicboxWindow>(services);
    case Tool::Converter:
        return std::make_unique<ConverterWindow>(services);
    case Tool::Composer:
        return std::make_unique<ComposerWindow>(services);
    case Tool::Loader:
        break;
    }
    return std::make_unique<LoaderWindow>(services);
}

std::unique_ptr<QWidget> openChooser(const ToolServices &services)
{
    auto chooser = std::make_unique<QWidget>();
    chooser->setWindowTitle(u"Strumenti per le suonerie"_s);
    auto *layout = new QVBoxLayout(chooser.get());
    layout->addWidget(new QLabel(u"Quale strumento aprire?"_s, chooser.get()));
    QWidget *window = chooser.get();
    for (const ToolName &entry : ToolNames) {
        auto *button = new QPushButton(QString::fromUtf16(entry.title), window);
        QObject::connect(button, &QPushButton::clicked, window, [window, &services, tool = entry.tool] {
            QWidget *opened = openTool(tool, services).release();
            opened->setAttribute(Qt::WA_DeleteOnClose);
            opened->show();
            window->close();
        });
        layout->addWidget(button);
    }
    return chooser;
}

} // namespace brivello::ringtonetools
