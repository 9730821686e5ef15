#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "base/Prompter.h"
#include "builder/Identity.h"
#include "report/TFormPdf.h"
#include "report/VersionSource.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

struct ReportOptions {
    std::string Version, Output = "Report.pdf", Install;
};

int Report(const ReportOptions& options) {
    const std::string& version = options.Version;
    const fs::path output = fs::absolute(options.Output);
    const fs::path install = fs::absolute(options.Install);

    // Tables are found relative to the installation's bin directory, as in the programs.
    EnterInstallation(install);
    RequireVersionTable(*kv::catalogue::ParseVersionName(version));
    const ScratchOptions optionTable(version.substr(0, 3));
    LinePrompter prompter("740-cli report");
    kv::report::TFormPdf form(prompter);
    form.Source = kv::report::ReportSourceOf(version);
    form.Source.OptionTable = optionTable.Path();
    form.Source.SoftwareType = kv::builder::GetSoftwareType();
    form.Source.Revision = kv::builder::RevisionText(version.substr(0, 3));
    if (!form.CreateReport(output.string())) {
        std::cerr << "740-cli report: the report could not be written to \"" << output.string()
                  << "\"\n";
        return 1;
    }
    std::cout << output.string() << "\n";
    return 0;
}

}  // namespace

void AddReportCommand(CLI::App& app, int& status) {
    CLI::App* command =
        NewCommand(app, "report",
                   "Writes the configuration report of the version MODEL-PACK-CODE as a PDF\n"
                   "document to FILE. DIR is the installation holding the tables. Prints the\n"
                   "file written; exit status 1 when it fails.");
    auto options = std::make_shared<ReportOptions>();
    AddVersionArgument(*command, options->Version);
    command->add_option("-o,--output", options->Output, "The PDF file to write")
        ->type_name("FILE")
        ->check(FilePath);
    AddInstallOption(*command, options->Install);
    command->callback([options, &status] { status = Report(*options); });
}

}  // namespace cli
