// 740-cli: the suite's roads without windows.
#include <cstring>
#include <exception>
#include <iostream>

#include "Args.h"
#include "Commands.h"

namespace {

void PrintHelp(std::ostream& out) {
    out << "Usage: 740-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& command : cli::AllCommands()) out << "\n  " << command.Usage << "\n";
    out << "\nPorts: names COM1..COM9; KV740_PORTS=COM3=/dev/ttyUSB0,COM4=/dev/pts/7 maps them to\n"
           "devices; an unmapped COMn is /dev/ttyS(n-1).\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "help")) {
        PrintHelp(std::cout);
        return argc < 2 ? 2 : 0;
    }
    cli::Words words(argv + 2, argv + argc);
    for (const auto& command : cli::AllCommands()) {
        if (command.Name != std::string(argv[1])) continue;
        try {
            return command.Run(words);
        } catch (const cli::UsageError& e) {
            std::cerr << "740-cli " << command.Name << ": " << e.what() << "\nUsage: 740-cli "
                      << command.Usage << "\n";
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "740-cli " << command.Name << ": " << e.what() << "\n";
            return 1;
        }
    }
    std::cerr << "740-cli: unknown command \"" << argv[1] << "\" (see 740-cli --help)\n";
    return 2;
}
