#include "Gang.h"

#include <algorithm>
#include <array>

#include "UnitStamp.h"
#include "link/Messages.h"

namespace kv::console {

namespace msg = link::msg;

namespace {

struct LineSetting {
    uint32_t Baud;
    const char* Parity;
};

// The console's scan on one port: parities within each speed, the speeds downwards.
constexpr std::array<uint32_t, 5> ScanBauds = {38400, 19200, 9600, 4800, 2400};
constexpr std::array<const char*, 3> ScanParities = {"ODD", "EVEN", "NONE"};
constexpr size_t ScanLength = ScanBauds.size() * ScanParities.size();

LineSetting ScanSetting(size_t index) {
    return {ScanBauds[index / ScanParities.size()], ScanParities[index % ScanParities.size()]};
}

}  // namespace

Gang::Gang(const Console& console, const std::vector<std::string>& ports,
           std::vector<UnitEntry> units, PortLinkFactory makeLink, base::Prompter& prompter)
    : Load(console.Loaded()), Dialogs(prompter), List(std::move(units)), Ports(ports.size()) {
    for (size_t i = 0; i < ports.size(); ++i) {
        Station& station = Ports[i];
        station.Port = ports[i];
        station.Image = console.Image();
        station.Form.TagEnabled = console.SerialNumber.TagEnabled;
        station.Link = makeLink(station.Port);
        station.Link->OnProgress = [this, i](const std::string& message) {
            LinkMessage(i, message);
        };
    }
}

void Gang::Start() {
    for (size_t i = 0; i < Ports.size(); ++i) Next(i, true);
}

bool Gang::Confirm() {
    if (Waiting.empty()) return false;
    const size_t station = Waiting.front();
    Waiting.pop_front();
    Launch(station);
    return true;
}

void Gang::Stop() {
    Stopped = true;
    for (size_t station : Waiting) Retire(Ports[station]);
    Waiting.clear();
}

bool Gang::Done() const {
    return Pending.empty() && std::none_of(Ports.begin(), Ports.end(), [](const Station& s) {
               return s.State == Mode::Running || s.State == Mode::Waiting;
           });
}

// A unit that fails at once (a port that does not open, a refused serial number) ends inside its
// own start; starting the next one from there would nest a level per unit, so starts queue here.
void Gang::Launch(size_t station) {
    Pending.push_back(station);
    if (Launching) return;
    Launching = true;
    while (!Pending.empty()) {
        const size_t next = Pending.front();
        Pending.pop_front();
        Begin(next);
    }
    Launching = false;
}

void Gang::Begin(size_t index) {
    Station& station = Ports[index];
    station.State = Mode::Running;
    station.Progress.Begin(Clock());
    station.Progress.Port = station.Port;
    station.Form.FormShow();
    Dialogs.Units = {List[station.Unit]};
    if (!Dialogs.ExecuteSerialNumber(station.Form)) {
        Finish(index, Dialogs.Refusal, false);
        return;
    }
    WriteUnitValues(station.Image, Load, station.Form);
    station.Setting = 0;
    station.Link->SetInterval(80);
    Attempt(station);
}

void Gang::Attempt(Station& station) {
    const LineSetting setting = ScanSetting(station.Setting);
    station.Link->SetBaud(setting.Baud);
    station.Link->SetParity(setting.Parity);
    if (station.Link->PortName != station.Port) station.Link->SetPort(station.Port);
    station.Link->StartDownload(station.Image.Data(), static_cast<int32_t>(station.Image.Size()),
                                Load.Unit.ModelMask, Load.Unit.MinClass);
}

void Gang::LinkMessage(size_t index, const std::string& message) {
    Station& station = Ports[index];
    if (station.State != Mode::Running) return;
    station.Progress.Message(message, *station.Link, Clock());
    if (OnProgress) OnProgress(index);
    if (message == msg::NoResponse || message == msg::NoPort) {
        if (++station.Setting < ScanLength)
            Attempt(station);
        else
            Finish(index, msg::NoResponse, false);
    } else if (message == msg::InProgress) {
        if (station.Link->BlockNumber == 0 &&
            RevisionAtLeast(Load.Identity.Revision, DateStampFrom))
            WriteDateTime(station.Image, Load, Now());
    } else if (message != msg::Wait) {
        Finish(index, message, message == msg::Complete);
    }
}

void Gang::Finish(size_t index, const std::string& outcome, bool complete) {
    Station& station = Ports[index];
    station.State = Mode::Idle;
    Outcomes.push_back({List[station.Unit], outcome, complete});
    if (OnResult) OnResult(index, Outcomes.back());
    if (complete || KeepGoing)
        Next(index, false);
    else
        Retire(station);
}

// The port is given back as soon as it takes no more units.
void Gang::Retire(Station& station) {
    station.State = Mode::Retired;
    station.Link->SetPort("");
}

void Gang::Next(size_t index, bool first) {
    Station& station = Ports[index];
    // The first unit on each port goes at once; the operator connects every later one.
    const bool ask = !first && AskBeforeNext;
    if (NextUnit >= List.size() || Stopped) {
        Retire(station);
        return;
    }
    station.Unit = NextUnit++;
    if (!ask) {
        Launch(index);
        return;
    }
    station.State = Mode::Waiting;
    Waiting.push_back(index);
    if (OnWaiting) OnWaiting(index);
}

}  // namespace kv::console
