// The disc's ringtone tools: Musicbox, Convertitore RTTTL, Compositore
// Suonerie and Carica Suonerie, one program started under four names.
#include "phone/Devices.h"
#include "phone/PhoneTask.h"
#include "tools/ringtonetools/OpenFileDialog.h"
#include "tools/ringtonetools/SoundOutput.h"
#include "tools/ringtonetools/TaskPhoneLink.h"
#include "tools/ringtonetools/ToolLauncher.h"
#include "tools/ringtonetools/ToolServices.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

using namespace brivello::ringtonetools;

int main(int argc, char *argv[])
{
    // The loader's phone jobs run in this very program, started again as a
    // worker: the blocking library stays away from the window.
    if (const std::optional<int> status = brivello::phone::runPhoneWorkerIfAsked(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"brivello-suonerie"_s);
    const QString program = QCoreApplication::applicationFilePath();
    // The first line of standard output names the tool's folder, for scripts and tests.
    std::printf("%s\n", QDir(QCoreApplication::applicationDirPath()).dirName().toUtf8().constData());
    std::fflush(stdout);

    ToolServices services;
    services.platform = brivello::platform::makeQtPlatform();
    services.sound = makeQtSoundOutput();
    services.openDialog = makeQtOpenFileDialog();
    services.phoneLink = std::make_shared<TaskPhoneLink>(brivello::phone::workerProcessTasks());
    services.devices = [] { return brivello::phone::listDevices(); };
    services.discFolder = discFolderOf(program);
    services.scratchFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + u"/invio"_s;

    const std::optional<Tool> tool = toolForProgram(program);
    std::unique_ptr<QWidget> window = tool ? openTool(*tool, services) : openChooser(services);
    window->show();
    // Tests start the tool only to see that it runs and who it says it is.
    if (qEnvironmentVariableIntValue("BRIVELLO_TOOL_QUIT") == 1)
        QTimer::singleShot(0, window.get(), &QWidget::close);
    return app.exec();
}
