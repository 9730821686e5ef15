#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "catalogue/CatalogueList.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
using kv::catalogue::Slot;

struct CatalogueOptions {
    std::string Model, Category, Pack, Install;
    bool Csv = false;
};

int Catalogue(const CatalogueOptions& options) {
    const fs::path install = fs::absolute(options.Install);
    EnterInstallation(install);
    kv::catalogue::SelectionRecord filter;
    for (auto [value, slot] :
         {std::pair{&options.Model, Slot::Model}, std::pair{&options.Category, Slot::Button},
          std::pair{&options.Pack, Slot::Pack}})
        if (!value->empty()) filter[slot] = {*value, true};
    const auto records = kv::catalogue::ListCatalogue(filter);

    if (options.Csv) {
        std::cout << "Model,Pack,Code,Button,Title,CustomTitle\n";
        for (const auto& r : records)
            std::cout << CsvField(r.Model) << ',' << CsvField(r.Pack) << ',' << CsvField(r.Code)
                      << ',' << CsvField(r.Button) << ',' << CsvField(r.Title) << ','
                      << CsvField(r.CustomTitle) << '\n';
        return 0;
    }
    char line[512];
    std::snprintf(line, sizeof line, "%-5s %-4s %-6s  %-20s %s\n", "Model", "Pack", "Code",
                  "Button", "Title");
    std::cout << line;
    for (const auto& r : records) {
        const std::string title = r.CustomTitle.empty() ? r.Title : r.Title + " / " + r.CustomTitle;
        std::snprintf(line, sizeof line, "%-5s %-4s %-6s  %-20s %s\n", r.Model.c_str(),
                      r.Pack.c_str(), r.Code.c_str(), r.Button.c_str(), title.c_str());
        std::cout << line;
    }
    return 0;
}

}  // namespace

void AddCatalogueCommand(CLI::App& app, int& status) {
    CLI::App* command = NewCommand(
        app, "catalogue",
        "Lists the versions of the installation's catalogue, factory and custom, in order of pack\n"
        "and code, as the manager lists them. A record may list several categories: --category\n"
        "keeps those whose Button holds C. --csv prints the header\n"
        "Model,Pack,Code,Button,Title,CustomTitle and one row per version. Reads only.");
    auto options = std::make_shared<CatalogueOptions>();
    command->add_option("--model", options->Model, "Only model M")
        ->type_name("M")
        ->check(CLI::IsMember({"746", "758"}));
    command->add_option("--category", options->Category, "Only the category C, such as FLOW")
        ->type_name("C");
    command->add_option("--pack", options->Pack, "Only the pack P, such as FP01")->type_name("P");
    command->add_flag("--csv", options->Csv, "Comma-separated values with a header line");
    AddInstallOption(*command, options->Install);
    command->callback([options, &status] { status = Catalogue(*options); });
}

}  // namespace cli
