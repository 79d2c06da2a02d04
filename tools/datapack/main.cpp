// datapack: creates, lists, extracts from and checks the show's data archives.
#include "DatapackCommands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = Datapack::run(args, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
