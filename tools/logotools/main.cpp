// The logo tools of the sample disc. The tools window starts this one program
// under three names, with no arguments and the program folder as the current
// directory: logoedit.exe is "Editor Loghi", grplogo.exe "Logo Gruppo" and
// picmsg.exe "Messaggi Illustrati".
#include "platform/QtDialogs.h"
#include "tools/logotools/editor/LogoToolWindow.h"
#include "tools/logotools/editor/OpenFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    using namespace brivello;
    const QString program = QCoreApplication::applicationFilePath();
    const logotools::ToolFace &face = logotools::faceForProgram(program);
    QCoreApplication::setApplicationName(face.startName);

    // The first line of standard output names the tool by its folder on the
    // disc, as every tool started from the disc does, for scripts and tests.
    const QString folder = QDir(QCoreApplication::applicationDirPath()).dirName();
    std::printf("%s\n", (folder.isEmpty() ? face.title : folder).toUtf8().constData());
    std::fflush(stdout);

    logotools::LogoToolServices services;
    services.saveFileDialog = std::make_shared<platform::QtSaveFileDialog>();
    services.openFileDialog = std::make_shared<logotools::QtOpenFileDialog>();
    services.messageBox = std::make_shared<platform::QtMessageBox>();
    services.helpFile = QCoreApplication::applicationDirPath() + QStringLiteral("/leggimi.txt");
    // Never the disc the program runs from.
    services.startFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (services.startFolder.isEmpty() || !QDir(services.startFolder).exists())
        services.startFolder = QDir::homePath();

    logotools::LogoToolWindow window(face, services);
    window.resize(1180, 620);
    window.show();
    // Tests start the tool only to see that it runs and who it says it is.
    if (qEnvironmentVariableIntValue("BRIVELLO_TOOL_QUIT") == 1)
        QTimer::singleShot(0, &window, &QWidget::close);
    return app.exec();
}
