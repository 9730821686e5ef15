// The commands of 740-cli. A command is one file with one registration function, listed here in
// the order --help shows them; its callback sets the exit status.
#include "Commands.h"

namespace cli {

void AddDownloadCommand(CLI::App& app, int& status);
void AddPackCommand(CLI::App& app, int& status);
void AddProgramCommand(CLI::App& app, int& status);
void AddReportCommand(CLI::App& app, int& status);
void AddBuildCommand(CLI::App& app, int& status);
void AddOrderCodeCommand(CLI::App& app, int& status);
void AddCatalogueCommand(CLI::App& app, int& status);
void AddVersionCommand(CLI::App& app, int& status);
void AddItemCommand(CLI::App& app, int& status);
void AddTableCommand(CLI::App& app, int& status);
void AddTextCommand(CLI::App& app, int& status);

void AddAllCommands(CLI::App& app, int& status) {
    for (auto add : {AddDownloadCommand, AddPackCommand, AddProgramCommand, AddReportCommand,
                     AddBuildCommand, AddOrderCodeCommand, AddCatalogueCommand, AddVersionCommand,
                     AddItemCommand, AddTableCommand, AddTextCommand})
        add(app, status);
}

}  // namespace cli
