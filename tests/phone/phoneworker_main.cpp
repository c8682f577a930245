// A program that is nothing but a phone worker, for the tests of the
// worker process.
#include "phone/PhoneTask.h"

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = brivello::phone::runPhoneWorkerIfAsked(argc, argv))
        return *status;
    return 64;
}
