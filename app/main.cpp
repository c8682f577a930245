#include "app/StartUp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    brivello::app::StartUp startUp(brivello::platform::makeQtPlatform());
    // Set only by the tests: end the run once the home window is on screen.
    if (qEnvironmentVariableIsSet("BRIVELLO_QUIT_WHEN_SHOWN"))
        startUp.quitWhenHomeShown();
    return startUp.StartProgram();
}
