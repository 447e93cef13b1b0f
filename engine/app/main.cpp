#include "engine/platform/Paths.h"

#include <iostream>

int main()
{
    const std::string programFolder = platform::GetExecutableFolder();
    std::cout << "Program folder: " << programFolder << '\n'
              << "Data folder: " << programFolder << "/world/\n"
              << "User folder: " << platform::GetUserFolder() << '\n';
    return 0;
}
