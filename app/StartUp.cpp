#include "app/StartUp.h"

#include <QApplication>

namespace brivello::app {

int StartProgram()
{
    return 0;
}

} // namespace brivello::app
