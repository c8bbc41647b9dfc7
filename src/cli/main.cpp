#include "cli/LogBookTool.h"
#include "store/ProcessStart.h"

#include <iostream>

int main(int argc, char** argv) {
    // Before any file is opened: a closed standard stream must not become a logbook.
    ProcessStart::Prepare();
    std::ios::sync_with_stdio(false);
    LogBookTool tool(std::cout, std::cerr);
    return tool.Run(std::vector<std::string>(argv + 1, argv + argc));
}
