#pragma once
// A link on a scripted port and a manual timer, optionally wired to a virtual unit.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "VirtualUnit.h"
#include "link/Frame.h"
#include "link/Messages.h"
#include "link/ScriptedPort.h"
#include "link/TComms.h"

namespace kv::link {

// Failures print the codes as the diagnostics number them.
inline void PrintTo(LinkState v, std::ostream* os) {
    *os << "LinkState " << static_cast<int>(v);
}
inline void PrintTo(LinkPhase v, std::ostream* os) {
    *os << "LinkPhase " << static_cast<int>(v);
}
inline void PrintTo(LinkError v, std::ostream* os) {
    *os << "LinkError " << static_cast<int>(v);
}

class LinkFixture : public ::testing::Test {
  protected:
    LinkFixture() {
        auto p = std::make_unique<ScriptedPort>();
        auto t = std::make_unique<ManualTimer>();
        port = p.get();
        timer = t.get();
        comms = std::make_unique<TComms>(std::move(p), std::move(t));
        comms->OnProgress = [this](const std::string& text) { messages.push_back(text); };
    }

    // Opens "COM1" at the given settings.
    void Connect(uint32_t baud = 38400, const std::string& parity = "ODD") {
        comms->SetBaud(baud);
        comms->SetParity(parity);
        comms->SetPort("COM1");
    }

    // Puts a virtual unit behind the port.
    void Attach(const vinst::UnitOptions& options = {}) {
        unit.emplace(options);
        unit->OnImage = [this](const std::vector<uint8_t>& image) { received = image; };
        port->OnWrite = [this](ScriptedPort& p, const ScriptedPort::Written& w) {
            p.Feed(unit->Receive(w.Bytes.data(), w.Bytes.size(), p.Line()));
        };
    }

    void Start(const std::vector<uint8_t>& image, uint32_t mask = 0, int32_t minClass = 0) {
        this->image = image;
        comms->StartDownload(this->image.data(), static_cast<int32_t>(this->image.size()), mask,
                             minClass);
    }

    // Ticks until the link leaves the running state; returns the ticks taken.
    int RunUntilFinished(int limit = 5000) {
        int ticks = 0;
        while (comms->State == LinkState::Running && ticks < limit && timer->Step()) ++ticks;
        return ticks;
    }

    std::string LastMessage() const { return messages.empty() ? "" : messages.back(); }

    // Writes whose bytes are exactly the framed packet.
    int CountSent(const std::vector<uint8_t>& frame) const {
        int n = 0;
        for (const auto& w : port->Writes) n += w.Bytes == frame;
        return n;
    }

    ScriptedPort* port;
    ManualTimer* timer;
    std::unique_ptr<TComms> comms;
    std::optional<vinst::VirtualUnit> unit;
    std::vector<std::string> messages;
    std::vector<uint8_t> image;
    std::vector<uint8_t> received;
};

inline const std::vector<uint8_t> PresenceFrame{0xC0, 0x81, 0x05, 0xFF, 0x00, 0x84, 0xC0};
inline const std::vector<uint8_t> IdentityFrame{0xC0, 0x81, 0x05, 0x7F, 0x00, 0x84, 0xC0};
inline const std::vector<uint8_t> SpeedFrame{0xC0, 0x81, 0x02, 0x53, 0x45, 0x00, 0x03, 0x96, 0xC0};
inline const std::vector<uint8_t> FileEndFrame{0xC0, 0x81, 0x46, 0x46, 0x09,
                                               0x00, 0x16, 0x01, 0xC0};

}  // namespace kv::link
