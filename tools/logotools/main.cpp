// The logo tools of the sample disc. The tools window starts this one program
// under three names, with no arguments and the program folder as the current
// directory: logoedit.exe is "Editor Loghi", grplogo.exe "Logo Gruppo" and
// picmsg.exe "Messaggi Illustrati".
#include "phone/Devices.h"
#include "phone/PhoneTask.h"
#include "platform/QtDialogs.h"
#include "tools/logotools/editor/LogoToolWindow.h"
#include "tools/logotools/editor/OpenFileDialog.h"
#include "tools/logotools/send/SmsSendStep.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The same settings file as the SMS tool's, so that the phone chosen in one
// tool is the one the other proposes.
QString sharedConnectionFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/smartsmsle/collegamento.ini"_s;
}

} // namespace

int main(int argc, char *argv[])
{
    // The phone work of a send runs in a second copy of this program.
    if (const std::optional<int> status = brivello::phone::runPhoneWorkerIfAsked(argc, argv))
        return *status;

    QApplication app(argc, argv);
    using namespace brivello;
    const logotools::ToolStart start = logotools::toolStart(QCoreApplication::applicationFilePath());
    QCoreApplication::setApplicationName(start.face->startName);

    // The first line of standard output names the tool by its folder on the
    // disc, as every tool started from the disc does, for scripts and tests;
    // the second names the face it shows.
    std::printf("%s\n%s\n", start.folderName.toUtf8().constData(), start.face->title.toUtf8().constData());
    std::fflush(stdout);

    logotools::LogoToolServices services;
    services.saveFileDialog = std::make_shared<platform::QtSaveFileDialog>();
    services.openFileDialog = std::make_shared<logotools::QtOpenFileDialog>();
    services.messageBox = std::make_shared<platform::QtMessageBox>();
    services.helpFile = start.helpFile;
    logotools::LogoSendSetup sending;
    sending.tasks = phone::workerProcessTasks();
    sending.devices = [] { return phone::listDevices(); };
    sending.settingsFile = sharedConnectionFile();
    services.sendSteps.push_back(std::make_shared<logotools::SmsSendStep>(sending, services.messageBox));
    // Never the disc the program runs from.
    services.startFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (services.startFolder.isEmpty() || !QDir(services.startFolder).exists())
        services.startFolder = QDir::homePath();

    logotools::LogoToolWindow window(*start.face, services);
    window.resize(platform::sizeOnScreen(window, QSize(1180, 620)));
    window.show();
    // Tests start the tool only to see that it runs and who it says it is.
    if (qEnvironmentVariableIntValue("BRIVELLO_TOOL_QUIT") == 1)
        QTimer::singleShot(0, &window, &QWidget::close);
    return app.exec();
}
