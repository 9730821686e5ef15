#pragma once
// Gang programming: one unit on each of several ports at the same time, from one load. Each port
// has its own link and its own copy of the image, scans only its own parities and speeds, and
// takes the next serial number of the list whenever its unit is done. The links are driven by
// their timers (one loop for all, or manual timers in tests); nothing here waits.
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppImage.h"
#include "Console.h"
#include "HeadlessDialogs.h"
#include "Production.h"
#include "UnitProgress.h"

namespace kv::console {

class Gang {
  public:
    using PortLinkFactory = std::function<std::unique_ptr<link::TComms>(const std::string& port)>;

    enum class Mode { Idle, Running, Waiting, Retired };

    struct Station {
        std::string Port;
        std::unique_ptr<link::TComms> Link;
        AppImage Image;  // the loaded image with this port's unit values
        SerialNumberForm Form;
        UnitProgress Progress;
        Mode State = Mode::Idle;
        size_t Unit = 0;     // index in the list of the unit it programs or waits for
        size_t Setting = 0;  // index of the line setting being tried
    };

    // `console` holds the load (image, identity, unit item) every station starts from.
    Gang(const Console& console, const std::vector<std::string>& ports,
         std::vector<UnitEntry> units, PortLinkFactory makeLink, base::Prompter& prompter);

    // When false, each next unit on a port starts at once; otherwise the port waits for Confirm.
    bool AskBeforeNext = true;
    // Whether a port whose unit failed takes the next serial number.
    bool KeepGoing = false;

    std::function<void(size_t station)> OnProgress;  // after every message of a station's link
    // A station's unit ended; the record of it is written before the port goes on.
    std::function<void(size_t station, const UnitResult& result)> OnResult;
    std::function<void(size_t station)> OnWaiting;  // the station waits to be confirmed
    std::function<std::chrono::system_clock::time_point()> Now = [] {
        return std::chrono::system_clock::now();
    };
    std::function<UnitProgress::Clock::time_point()> Clock = [] {
        return UnitProgress::Clock::now();
    };

    // The first unit on every port.
    void Start();
    // The operator has connected the next unit on the port that waits longest; false when none
    // waits.
    bool Confirm();
    // No further unit starts (the operator's input ended, the record failed): waiting ports stop,
    // and so does every port as its unit ends.
    void Stop();
    // No port runs or waits.
    bool Done() const;

    const std::vector<UnitEntry>& Units() const { return List; }
    const std::vector<Station>& Stations() const { return Ports; }
    const std::vector<UnitResult>& Results() const { return Outcomes; }

  private:
    void Launch(size_t station);
    void Begin(size_t station);
    void Attempt(Station& station);
    void LinkMessage(size_t station, const std::string& message);
    void Finish(size_t station, const std::string& outcome, bool complete);
    void Next(size_t station, bool first);
    void Retire(Station& station);

    const LoadResults& Load;
    HeadlessDialogs Dialogs;
    std::vector<UnitEntry> List;
    std::vector<Station> Ports;
    std::vector<UnitResult> Outcomes;
    size_t NextUnit = 0;
    std::deque<size_t> Waiting;
    std::deque<size_t> Pending;  // stations to start, outside any link's notification
    bool Launching = false;
    bool Stopped = false;
};

}  // namespace kv::console
