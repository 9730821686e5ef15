#include "Commands.h"

namespace cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"download",
         "download IMAGE --port COMn [--baud B] [--parity P] [--model-mask M] [--min-class C]\n"
         "  Downloads the file IMAGE into the instrument on port COMn with the given line\n"
         "  settings (defaults 38400, ODD, mask 0, class 0), printing each progress message.\n"
         "  Exit status 0 exactly when the download completes.",
         RunDownload},
    };
    return commands;
}

}  // namespace cli
