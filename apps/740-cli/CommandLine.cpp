#include "CommandLine.h"

#include <filesystem>
#include <iostream>
#include <sstream>

#include "Commands.h"

namespace cli {

namespace {

const char* const Program = "740-cli";

// "740-cli pack list": the words that name a command.
std::string CommandPath(const CLI::App* app) {
    std::string path;
    for (; app; app = app->get_parent()) path = app->get_name() + (path.empty() ? "" : " " + path);
    return path;
}

bool IsOwnFlag(const CLI::Option* option, const CLI::App* app) {
    return option == app->get_help_ptr() || option == app->get_version_ptr();
}

// One option as the usage line names it: "IMAGE", "[DIR]", "--port COMn", "[--baud B=38400]".
std::string OptionUsage(const CLI::Option* option) {
    std::string text;
    if (option->get_positional()) {
        text = option->get_name(true);
        if (option->get_expected_max() > 1) text += "...";
    } else {
        text = option->get_snames().empty() ? "--" + option->get_lnames().front()
                                            : "-" + option->get_snames().front();
        if (!option->get_type_name().empty()) {
            text += " " + option->get_type_name();
            if (!option->get_default_str().empty()) text += "=" + option->get_default_str();
        }
    }
    return option->get_required() ? text : "[" + text + "]";
}

// The synopsis of a command: its words and every option it takes, with the defaults.
std::string Synopsis(const CLI::App* app) {
    std::string line = CommandPath(app);
    const auto options =
        app->get_options([app](const CLI::Option* o) { return !IsOwnFlag(o, app); });
    for (const CLI::Option* option : options)
        if (option->get_positional()) line += " " + OptionUsage(option);
    for (const CLI::Option* option : options)
        if (!option->get_positional()) line += " " + OptionUsage(option);
    if (!app->get_subcommands({}).empty()) line += " COMMAND";
    return line;
}

// Commands of commands ("pack create", "pack list") are listed one by one.
void ListCommands(std::ostream& out, const CLI::App* app) {
    for (const CLI::App* sub : app->get_subcommands({})) {
        if (!sub->get_subcommands({}).empty()) {
            ListCommands(out, sub);
            continue;
        }
        out << "\n  " << Synopsis(sub) << "\n";
        std::istringstream description(sub->get_description());
        for (std::string line; std::getline(description, line);) out << "    " << line << "\n";
    }
}

class Formatter : public CLI::Formatter {
  public:
    std::string make_usage(const CLI::App* app, std::string) const override {
        return "Usage: " + Synopsis(app) + "\n";
    }
    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override {
        if (app->get_parent() || mode == CLI::AppFormatMode::Sub)
            return CLI::Formatter::make_help(app, name, mode);
        std::ostringstream out;
        out << "Usage: " << Program << " COMMAND [ARGUMENTS]\n\nCommands:\n";
        ListCommands(out, app);
        out << "\n" << app->get_footer() << "\n";
        return out.str();
    }
};

// The command the words chose, as far as they were parsed.
const CLI::App* ChosenCommand(const CLI::App& app) {
    const CLI::App* chosen = &app;
    while (!chosen->get_subcommands().empty()) chosen = chosen->get_subcommands().front();
    return chosen;
}

// "create, list or expand"
std::string CommandNames(const CLI::App* app) {
    const auto subs = app->get_subcommands({});
    std::string names;
    for (size_t i = 0; i < subs.size(); ++i)
        names += (i == 0 ? "" : i + 1 == subs.size() ? " or " : ", ") + subs[i]->get_name();
    return names;
}

std::string VersionText() {
    return std::string(Program) + " " + KV740_VERSION;
}

}  // namespace

CLI::App* NewCommand(CLI::App& parent, const std::string& name, const std::string& description) {
    CLI::App* command = parent.add_subcommand(name, description);
    command->set_version_flag("--version", VersionText());
    return command;
}

int RunCommandLine(int argc, char** argv) {
    CLI::App app("", Program);
    app.formatter(std::make_shared<Formatter>());
    app.set_version_flag("--version", VersionText());
    app.require_subcommand(1);
    app.option_defaults()->always_capture_default();
    int status = 0;
    AddAllCommands(app, status);
    // After the commands: a footer is inherited, and only the program's own help shows this one.
    app.footer(
        "Ports: names COM1..COM9; KV740_PORTS=COM3=/dev/ttyUSB0,COM4=/dev/pts/7 maps them to\n"
        "devices; an unmapped COMn is /dev/ttyS(n-1). Every command takes --help and --version.");

    if (argc < 2) {
        std::cout << app.help();
        return 2;
    }
    try {
        app.parse(argc, argv);
        return status;
    } catch (const CLI::Success& done) {  // --help, --version
        return app.exit(done);
    } catch (const CLI::ParseError& e) {
        const CLI::App* chosen = ChosenCommand(app);
        const std::string command = CommandPath(chosen);
        if (chosen == &app)
            std::cerr << Program << ": unknown command \"" << argv[1] << "\" (see " << Program
                      << " --help)\n";
        else if (dynamic_cast<const CLI::ValidationError*>(&e))
            std::cerr << command << ": " << e.what() << "\n";
        else if (dynamic_cast<const CLI::RequiredError*>(&e) &&
                 !chosen->get_subcommands({}).empty())
            std::cerr << command << ": " << CommandNames(chosen) << " expected (see " << command
                      << " --help)\n";
        else
            std::cerr << command << ": " << e.what() << " (see " << command << " --help)\n";
        return 2;
    } catch (const UsageError& e) {
        std::cerr << CommandPath(ChosenCommand(app)) << ": " << e.what() << "\n";
        return 2;
    } catch (const std::filesystem::filesystem_error& e) {
        std::cerr << CommandPath(ChosenCommand(app)) << ": " << e.code().message() << ": \""
                  << e.path1().string() << "\"\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << CommandPath(ChosenCommand(app)) << ": " << e.what() << "\n";
        return 1;
    }
}

}  // namespace cli
