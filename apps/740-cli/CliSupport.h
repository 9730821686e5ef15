#pragma once
// What several 740-cli commands share: message boxes as lines, and where the installation is.
#include <filesystem>
#include <string>

#include "base/Prompter.h"
#include "catalogue/VersionRules.h"
#include "link/TComms.h"

namespace cli {

// Each box becomes one line "PREFIX: text" on standard error; a question gets `answer`.
class LinePrompter : public kv::base::Prompter {
  public:
    explicit LinePrompter(std::string prefix, kv::base::Answer answer = kv::base::Answer::Yes)
        : Prefix(std::move(prefix)), Question(answer) {}
    kv::base::Answer Show(const std::string& text, kv::base::MessageKind kind,
                          kv::base::Buttons buttons) override;
    void Beep() override {}

  private:
    std::string Prefix;
    kv::base::Answer Question;
};

// What follows "Incompatible unit model or class": what the unit reported and what the image
// accepts.
std::string IncompatibleDetail(const kv::link::TComms& link);

// The installation this program runs from (the parent of its bin directory) when it is one,
// else the demo installation staged by the build.
std::filesystem::path DefaultInstallation();

// The model's option table completed with the engineering units, as the manager's start-up
// makes it, in a scratch directory so that the installation is left as it is.
class ScratchOptions {
  public:
    explicit ScratchOptions(const std::string& model);
    ~ScratchOptions();
    ScratchOptions(const ScratchOptions&) = delete;
    ScratchOptions& operator=(const ScratchOptions&) = delete;
    const std::string& Path() const { return path_; }
    const std::filesystem::path& Dir() const { return dir_; }

  private:
    std::filesystem::path dir_;
    std::string path_;
};

// Makes the installation's bin directory the working directory, so that tables and working files
// are found as the programs find them; a Failure when there is none.
void EnterInstallation(const std::filesystem::path& install);

// A field of a CSV line, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& value);

// A Failure naming the missing table when the version has none.
void RequireVersionTable(const kv::catalogue::VersionName& version);

}  // namespace cli
