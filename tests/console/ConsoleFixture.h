#pragma once
// A console in a fresh installation folder (bin/ as working directory, apx/ beside it), on a
// scripted port and a manual timer, with scripted boxes, dialogs and shell.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ImageBuilder.h"
#include "VirtualUnit.h"
#include "base/ScriptedPrompter.h"
#include "console/Console.h"
#include "console/HeadlessDialogs.h"
#include "console/WorkingFiles.h"
#include "link/Messages.h"
#include "link/ScriptedPort.h"
#include "link/TComms.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/VirtualInstrument.h"

namespace kv::console::testing {

using kv::testing::ReadFileBytes;

using kv::testing::RecordingShell;

class ScriptedDialogs : public HeadlessDialogs {
  public:
    using HeadlessDialogs::HeadlessDialogs;
    std::optional<std::filesystem::path> OpenChoice;
    // Boxes to click before OK; Save cancels when `SaveOk` is false.
    std::vector<SavePackForm::Box> SaveClicks;
    std::vector<CheckState> SaveStates;  // the state each clicked box is left in by the window
    bool SaveOk = true;
    std::optional<std::filesystem::path> ExecuteOpen() override { return OpenChoice; }
    bool ExecuteSavePack(SavePackForm& form) override {
        for (size_t i = 0; i < SaveClicks.size(); ++i) {
            form.Boxes[SaveClicks[i]].State = SaveStates[i];
            form.CheckBoxClick(SaveClicks[i]);
        }
        return SaveOk;
    }
};

// Every port name leads nowhere unless mapped here.
inline std::string PortMap(const std::map<int, std::string>& devices) {
    std::string map;
    for (int n = 1; n <= 9; ++n) {
        auto it = devices.find(n);
        map += (n > 1 ? "," : "") + std::string("COM") + std::to_string(n) + "=" +
               (it == devices.end() ? "/dev/nonexistent-port" : it->second);
    }
    return map;
}

// What a programmed image says about its unit (images of ImageBuilder, stamp read as UTC).
struct ProgrammedUnit {
    std::string Serial;   // with its terminator
    std::string Tag;      // the unit item's entry-0 text
    long long Stamp = 0;  // seconds since the epoch; 0 when it is no date
};

inline ProgrammedUnit ReadUnit(const std::vector<uint8_t>& image, size_t identity) {
    ProgrammedUnit unit;
    unit.Serial = TextIn(image, identity + 16, 7);
    size_t label = 0;
    for (int i = 0; i < 4; ++i)
        label = (label << 8) | image.at(identity + 0x400 + 32 + i);  // unit item, entry 0
    const auto text = image.begin() + static_cast<std::ptrdiff_t>(std::min(label, image.size()));
    unit.Tag.assign(text, std::find(text, image.end(), 0));
    std::tm t{};
    if (std::sscanf(TextIn(image, identity + 53, 19).c_str(), "%d,%d,%d,%d,%d,%d", &t.tm_year,
                    &t.tm_mon, &t.tm_mday, &t.tm_hour, &t.tm_min, &t.tm_sec) == 6) {
        t.tm_year -= 1900;
        t.tm_mon -= 1;
        unit.Stamp = static_cast<long long>(timegm(&t));
    }
    return unit;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class ConsoleFixture : public ::testing::Test {
  protected:
    ConsoleFixture()
        : Root(Temp.Path()), Bin(Root / "bin"), Apx(Root / "apx"), Launch(Root / "home") {
        std::filesystem::create_directories(Bin);
        std::filesystem::create_directories(Apx);
        std::filesystem::create_directories(Launch);
    }
    ~ConsoleFixture() override { console.reset(); }

    // Creates the console with these command-line words (the working files go).
    void Construct(const std::vector<std::string>& arguments) {
        ConsoleServices services{prompter, shell, dialogs, [this] { return MakeLink(); },
                                 Bin,      Launch};
        console = std::make_unique<Console>(services, "740-Series Program Utility", arguments);
        console->Now = [] { return std::chrono::system_clock::from_time_t(1700000000); };
        console->OnProgressMessage = [this](const std::string& message) {
            link::TComms* link = console->Link();
            if (message == link::msg::Wait)
                attempts.push_back(link->PortName + " " + std::to_string(link->Baud) + " " +
                                   link->ParityName);
        };
    }

    // The utility: creates the console and shows it.
    void Create(const std::vector<std::string>& arguments) {
        Construct(arguments);
        console->FormShow();
    }

    // The manager: the builder leaves the image after the console was created, then shows it.
    void CreateManager(const std::string& version, const std::vector<uint8_t>& image) {
        Construct({});
        WriteFile(Bin / "PackBinary.bin", image);
        console->SetModeLite(false);
        console->SetVersion(version);
        console->FormShow();
    }

    // Puts the application file into the working directory and starts the console on it.
    void Start(const std::string& name, const std::vector<uint8_t>& image) {
        WriteFile(Bin / name, image);
        Create({name});
    }

    std::unique_ptr<link::TComms> MakeLink() {
        auto p = std::make_unique<link::ScriptedPort>();
        auto t = std::make_unique<link::ManualTimer>();
        port = p.get();
        timer = t.get();
        port->Existing = ports;
        if (unit) Wire();
        return std::make_unique<link::TComms>(std::move(p), std::move(t));
    }

    // A virtual instrument behind the given port name; by default one that suits the images of
    // ImageBuilder (model bit 1, class 2) and answers at 38400 baud with odd parity.
    void Attach(const std::string& portName,
                const vinst::UnitOptions& options = {.ModelBits = 1, .UnitClass = 2}) {
        unitPort = portName;
        unit.emplace(options);
        unit->OnImage = [this](const std::vector<uint8_t>& image) { received.push_back(image); };
        if (port) Wire();
    }

    void Wire() {
        port->OnWrite = [this](link::ScriptedPort& p, const link::ScriptedPort::Written& w) {
            if (w.PortName == unitPort)
                p.Feed(unit->Receive(w.Bytes.data(), w.Bytes.size(), p.Line()));
        };
    }

    // Answers the serial number dialog and runs the download to its end.
    void Program(const std::string& serial, std::optional<std::string> tag = std::nullopt) {
        dialogs.Units = {{serial, tag}};
        console->ActionDownloadExecute();
        int ticks = 0;
        while (timer->Step() && ++ticks < 20000) {
        }
    }

    kv::testing::TempDir Temp;
    std::filesystem::path Root, Bin, Apx;
    std::filesystem::path Launch;  // where the program was started from
    base::ScriptedPrompter prompter;
    RecordingShell shell;
    ScriptedDialogs dialogs{prompter};
    std::set<std::string> ports = {"COM1"};
    link::ScriptedPort* port = nullptr;
    link::ManualTimer* timer = nullptr;
    std::optional<vinst::VirtualUnit> unit;
    std::string unitPort;
    std::vector<std::vector<uint8_t>> received;
    // Port, baud and parity of every download attempt, in order.
    std::vector<std::string> attempts;
    std::unique_ptr<Console> console;
};

}  // namespace kv::console::testing
