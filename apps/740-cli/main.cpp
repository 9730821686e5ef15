// 740-cli: the suite's roads without windows.
#include "CommandLine.h"

int main(int argc, char** argv) {
    return cli::RunCommandLine(argc, argv);
}
