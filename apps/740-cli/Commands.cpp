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
        {"pack",
         "pack create OUT.apl FILE... | pack list FILE.apl | pack expand FILE.apl [DIR]\n"
         "  create: writes the FILEs (all in one directory) into the application library file\n"
         "  OUT.apl under their bare names, LH5-coded or stored when that is shorter, and lists it.\n"
         "  list: prints each member's name, sizes, method, date and whether its checksum verifies\n"
         "  (exit status 1 when one does not). expand: writes every member into DIR (default: the\n"
         "  current directory) and prints the files written; names reaching outside DIR are refused.",
         RunPack},
        {"program",
         "program FILE [--serial NNNNNN | --serials FIRST..LAST | --serials-file CSV] [--tag TEXT]\n"
         "        [--dir WORKDIR] [--yes] [--keep-going]\n"
         "  Loads the application file FILE (.apx or .apl) into WORKDIR (default: the current\n"
         "  directory) as 740-lite does, then programs the unit: writes its serial number (default\n"
         "  000000) and tag (default UNIT-1, when the image has a unit tag item), finds the port and\n"
         "  line settings on which it answers (COM1..COM9; parity ODD, EVEN, NONE; 38400 to 2400\n"
         "  baud) and downloads the image, printing every progress message. Exit status 0 exactly\n"
         "  when every unit completes. Batch: --serials programs one unit per serial number, a CSV\n"
         "  file one per line \"serial,tag\" (\"#\" comments; --tag fills missing tags); each unit is\n"
         "  confirmed with Enter (or --yes), one result line is printed per unit and a summary at the\n"
         "  end. The batch stops at the first unit that fails unless --keep-going.",
         RunProgram},
        {"report",
         "report MODEL-PACK-CODE [-o FILE] [--install DIR]\n"
         "  Writes the configuration report of the version MODEL-PACK-CODE (such as\n"
         "  758-FP01-000000) as a PDF document to FILE (default: Report.pdf in the current\n"
         "  directory). DIR is the installation holding the tables (default: the one this\n"
         "  program belongs to). Prints the file written; exit status 1 when it fails.",
         RunReport},
        {"build",
         "build MODEL-PACK-CODE [--original] [--no-infield-units] [--keep-totals] [--keep-logs]\n"
         "      [--install DIR] [--verbose]\n"
         "  Builds the version MODEL-PACK-CODE (such as 758-FP01-000000) of the installation DIR\n"
         "  (default: the one this program belongs to, else the staged demo) into the firmware image\n"
         "  bin/PackBinary.bin with the installation's H8/300 toolchain, writing the report and the\n"
         "  manual beside it, as the manager's Download does. The flags are the preferences: the\n"
         "  original 758 hardware instead of the standard one (model 758 only), no programmable\n"
         "  units of measurement, totals and logs kept on downloading. Prints the progress and the\n"
         "  files written (with --verbose also the toolchain's messages); exit status 0 exactly when\n"
         "  the image was made, else the message of the target is printed.",
         RunBuild},
    };
    return commands;
}

}  // namespace cli
