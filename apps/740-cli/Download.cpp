#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>

#include "CliSupport.h"
#include "CommandLine.h"
#include "ConnectionDeadline.h"
#include "Validators.h"
#include "console/ProgressLines.h"
#include "console/UnitProgress.h"
#include "link/Messages.h"
#include "link/PosixPort.h"
#include "link/TComms.h"

namespace cli {

namespace {

struct DownloadOptions {
    std::string Image, Port, Parity = "ODD";
    uint32_t Baud = 38400, ModelMask = 0;
    int32_t MinClass = 0;
    int Timeout = 30;
};

int Download(const DownloadOptions& options) {
    std::ifstream in(options.Image, std::ios::binary);
    if (!in) {
        std::cerr << "740-cli download: cannot read \"" << options.Image << "\"\n";
        return 1;
    }
    std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());

    auto timer = std::make_unique<ConnectionDeadline>(std::chrono::seconds(options.Timeout));
    ConnectionDeadline& loop = *timer;
    kv::link::TComms comms(std::make_unique<kv::link::PosixPort>(), std::move(timer));
    loop.Watch(comms);
    // Each change of message on a line of its own; while blocks go, the block count and the time
    // left, redrawn in place on a terminal, else a line per tenth of the image.
    const auto lines = kv::console::ProgressLines::ForStandardOutput(1);
    kv::console::UnitProgress progress;
    using Prefix = kv::console::UnitProgress::Prefix;
    progress.Begin(kv::console::UnitProgress::Clock::now());
    comms.OnProgress = [&](const std::string& text) {
        const auto now = kv::console::UnitProgress::Clock::now();
        progress.Message(text, comms, now);
        if (comms.State == kv::link::LinkState::Running)
            lines->Update(0, progress, progress.StatusLine(Prefix::None, now), text);
        else
            lines->Finish(0, text);
        if (text == kv::link::msg::Incompatible) lines->Print(IncompatibleDetail(comms));
    };
    comms.SetBaud(options.Baud);
    comms.SetParity(options.Parity);
    comms.SetPort(options.Port);
    comms.SetInterval(80);
    comms.StartDownload(image.data(), static_cast<int32_t>(image.size()), options.ModelMask,
                        options.MinClass);
    loop.Run();
    if (loop.TakeRunningApplication()) lines->Print(RunningApplicationLine);
    return progress.Text == kv::link::msg::Complete ? 0 : 1;
}

}  // namespace

void AddDownloadCommand(CLI::App& app, int& status) {
    CLI::App* command =
        NewCommand(app, "download",
                   "Downloads the file IMAGE into the instrument on port COMn with the given line\n"
                   "settings, printing each progress message.\n"
                   "Exit status 0 exactly when the download completes.");
    auto options = std::make_shared<DownloadOptions>();
    command->add_option("IMAGE", options->Image, "The image file")->required()->check(FilePath);
    command->add_option("--port", options->Port, "The port")
        ->type_name("COMn")
        ->required()
        ->check(PortName);
    command->add_option("--baud", options->Baud, "The line speed")
        ->type_name("B")
        ->check(LinkSpeed);
    command->add_option("--parity", options->Parity, "The parity")
        ->type_name("P")
        ->check(ParityName);
    command->add_option("--model-mask", options->ModelMask, "The models the image accepts")
        ->type_name("M");
    command->add_option("--min-class", options->MinClass, "The least class the image accepts")
        ->type_name("C");
    AddTimeoutOption(*command, options->Timeout);
    command->callback([options, &status] { status = Download(*options); });
}

}  // namespace cli
