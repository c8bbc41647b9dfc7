#include "cli/LogBookTool.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    LogBookTool tool(std::cout, std::cerr);
    return tool.Run(std::vector<std::string>(argv + 1, argv + argc));
}
