// Gang programming over scripted ports: one virtual unit behind each port, all links stepped
// round by round as one loop would fire their timers.
#include <gtest/gtest.h>

#include <map>

#include "ConsoleFixture.h"
#include "console/Gang.h"
#include "console/ProgrammingRecord.h"
#include "link/Messages.h"

namespace kv::console::testing {
namespace {

constexpr size_t Identity = 0x10000;

class GangFixture : public ConsoleFixture {
  protected:
    GangFixture() { Start("758-FP01-000000.apx", BuildImage({})); }

    struct PortSide {
        link::ScriptedPort* Port = nullptr;
        link::ManualTimer* Timer = nullptr;
        std::optional<vinst::VirtualUnit> Unit;
        std::vector<std::vector<uint8_t>> Received;
    };

    // A virtual unit behind `port`, answering at its own settings; a port left out exists but is
    // silent.
    void Behind(const std::string& port, vinst::UnitOptions options) {
        options.ModelBits = 1;
        options.UnitClass = 2;
        units[port] = options;
    }

    void MakeGang(const std::vector<std::string>& names, std::vector<UnitEntry> list) {
        gang.emplace(
            *console, names, std::move(list),
            [this](const std::string& name) {
                PortSide& side = sides[name];
                auto p = std::make_unique<link::ScriptedPort>();
                auto t = std::make_unique<link::ManualTimer>();
                side.Port = p.get();
                side.Timer = t.get();
                if (missing.count(name) == 0)
                    p->Existing = {name};
                else
                    p->Existing = {"NOWHERE"};
                if (units.count(name)) {
                    side.Unit.emplace(units[name]);
                    side.Unit->OnImage = [&side](const std::vector<uint8_t>& image) {
                        side.Received.push_back(image);
                    };
                    p->OnWrite = [&side](link::ScriptedPort& port,
                                         const link::ScriptedPort::Written& w) {
                        port.Feed(side.Unit->Receive(w.Bytes.data(), w.Bytes.size(), port.Line()));
                    };
                }
                return std::make_unique<link::TComms>(std::move(p), std::move(t));
            },
            prompter);
        gang->Now = [] { return std::chrono::system_clock::from_time_t(1700000000); };
        gang->OnResult = [this](size_t station, const UnitResult& result) {
            const Gang::Station& s = gang->Stations()[station];
            rows.push_back(
                UnitRow(*console, result, s.Form, s.Progress, UnitProgress::Clock::now()));
        };
    }

    // Fires every enabled timer once per round until none is left enabled.
    void RunLinks() {
        for (int round = 0; round < 100000; ++round) {
            bool any = false;
            for (auto& [name, side] : sides) any = side.Timer->Step() || any;
            if (!any) return;
        }
        FAIL() << "the links never came to rest";
    }

    std::map<std::string, vinst::UnitOptions> units;
    std::set<std::string> missing;
    std::map<std::string, PortSide> sides;
    std::optional<Gang> gang;
    std::vector<RecordRow> rows;
};

std::string SerialOf(const std::vector<uint8_t>& image) {
    return TextIn(image, Identity + 16, 6);
}

TEST_F(GangFixture, EachPortScansItsOwnSettingsAndTakesTheNextSerial) {
    Behind("COM3", {});
    Behind("COM4", {.Baud = 9600, .Parity = link::EVENPARITY});
    Behind("COM7", {.DropShare = 0.2, .Seed = 7});
    MakeGang({"COM3", "COM4", "COM7"}, SerialRange("000101..000107", std::string("GT-1")));
    gang->AskBeforeNext = false;
    gang->Start();
    RunLinks();
    ASSERT_TRUE(gang->Done());

    ASSERT_EQ(gang->Results().size(), 7u);
    for (const auto& result : gang->Results())
        EXPECT_TRUE(result.Complete) << result.Unit.Serial << ": " << result.Outcome;
    // Every serial number went into exactly one unit, and each unit's image is the file's but for
    // its own serial number, tag and stamps.
    const std::vector<uint8_t> file = BuildImage({});
    std::multiset<std::string> serials;
    for (auto& [name, side] : sides) {
        EXPECT_FALSE(side.Received.empty()) << name;
        for (const auto& image : side.Received) {
            serials.insert(SerialOf(image));
            const ProgrammedUnit unit = ReadUnit(image, Identity);
            EXPECT_EQ(unit.Tag, "GT-1");
            EXPECT_EQ(unit.Stamp, 1700000000 + 180);
            std::vector<uint8_t> masked(image.begin(),
                                        image.begin() + static_cast<std::ptrdiff_t>(file.size()));
            for (size_t at : {Identity + 16, Identity + 53}) {
                const size_t length = at == Identity + 16 ? 6 : 19;
                std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), length,
                            masked.begin() + static_cast<std::ptrdiff_t>(at));
            }
            size_t tagText = 0;  // the unit item's entry-0 text
            for (int i = 0; i < 4; ++i) tagText = (tagText << 8) | file[Identity + 0x400 + 32 + i];
            std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(tagText), 7,
                        masked.begin() + static_cast<std::ptrdiff_t>(tagText));
            std::copy_n(file.begin() + 0x400, 4,
                        masked.begin() + 0x400);  // the link's marker in block 4
            EXPECT_TRUE(masked == file) << name << " image " << SerialOf(image);
        }
    }
    EXPECT_EQ(serials, (std::multiset<std::string>{"000101", "000102", "000103", "000104", "000105",
                                                   "000106", "000107"}));
    // No link ever opened another port than its own (an empty name closes it).
    for (auto& [name, side] : sides)
        for (const std::string& opened : side.Port->Opens)
            if (!opened.empty()) {
                EXPECT_EQ(opened, name);
            }
    // The first three units start together, one on each port in order.
    EXPECT_EQ(SerialOf(sides["COM3"].Received.front()), "000101");
    EXPECT_EQ(SerialOf(sides["COM4"].Received.front()), "000102");
    EXPECT_EQ(SerialOf(sides["COM7"].Received.front()), "000103");

    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [](const RecordRow& r) { return r.Serial == "000102"; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(row->Version, "758-FP01-000000");
    EXPECT_EQ(row->Revision, "3.0.201");
    EXPECT_EQ(row->Tag, "GT-1");
    EXPECT_EQ(row->Port, "COM4");
    EXPECT_EQ(row->Baud, 9600u);
    EXPECT_EQ(row->Parity, "EVEN");
    EXPECT_EQ(row->BytesSent, file.size());
    EXPECT_EQ(row->Message, link::msg::Complete);
    EXPECT_TRUE(row->Ok);
}

TEST_F(GangFixture, ASilentPortFailsAloneAndStopsUnlessToldToGoOn) {
    Behind("COM3", {});
    Behind("COM4", {});
    MakeGang({"COM3", "COM4", "COM5"}, SerialRange("000101..000106", std::nullopt));
    gang->AskBeforeNext = false;
    gang->Start();
    RunLinks();
    ASSERT_TRUE(gang->Done());
    // COM5 tried its own fifteen settings, failed its one unit and took no other.
    EXPECT_EQ(sides["COM5"].Port->Writes.size(), 15u * 3);
    size_t complete = 0;
    for (const auto& result : gang->Results()) {
        if (result.Unit.Serial == "000103") {
            EXPECT_FALSE(result.Complete);
            EXPECT_EQ(result.Outcome, link::msg::NoResponse);
        } else {
            EXPECT_TRUE(result.Complete) << result.Unit.Serial;
            ++complete;
        }
    }
    EXPECT_EQ(complete, 5u);
    EXPECT_FALSE(sides["COM5"].Port->IsOpen()) << "a port that takes no more units is given back";
    const auto failed =
        std::find_if(rows.begin(), rows.end(), [](const RecordRow& r) { return !r.Ok; });
    ASSERT_NE(failed, rows.end());
    EXPECT_EQ(failed->Port, "COM5");
    EXPECT_EQ(failed->Baud, 0u) << "a unit that never answered has no setting";
    EXPECT_EQ(failed->BytesSent, 0u);
    EXPECT_EQ(failed->Message, link::msg::NoResponse);
}

TEST_F(GangFixture, PortsThatNeverOpenUseUpTheListWithoutNesting) {
    missing = {"COM8"};
    MakeGang({"COM8"}, SerialRange("000001..000400", std::nullopt));
    gang->AskBeforeNext = false;
    gang->KeepGoing = true;
    gang->Start();
    RunLinks();
    EXPECT_TRUE(gang->Done());
    ASSERT_EQ(gang->Results().size(), 400u);
    EXPECT_EQ(gang->Results().back().Outcome, link::msg::NoResponse);
}

TEST_F(GangFixture, EachNextUnitWaitsForTheOperator) {
    Behind("COM3", {});
    Behind("COM4", {});
    MakeGang({"COM3", "COM4"},
             {{"000101", "A"}, {"000102", "B#"}, {"000103", "C"}, {"000104", "D"}});
    std::vector<std::string> waiting;
    gang->OnWaiting = [&](size_t station) {
        waiting.push_back(gang->Stations()[station].Port + " " +
                          gang->Units()[gang->Stations()[station].Unit].Serial);
    };
    gang->KeepGoing = true;
    gang->Start();
    // COM4's tag is refused before anything is sent; it waits for its next unit at once.
    EXPECT_EQ(gang->Results().size(), 1u);
    EXPECT_NE(gang->Results()[0].Outcome.find("does not fit the tag field"), std::string::npos);
    EXPECT_EQ(waiting, (std::vector<std::string>{"COM4 000103"}));
    RunLinks();
    EXPECT_EQ(waiting, (std::vector<std::string>{"COM4 000103", "COM3 000104"}));
    EXPECT_FALSE(gang->Done());
    EXPECT_TRUE(gang->Confirm());  // COM4 waited longest
    EXPECT_EQ(gang->Stations()[1].State, Gang::Mode::Running);
    EXPECT_EQ(gang->Stations()[0].State, Gang::Mode::Waiting);
    gang->Stop();
    RunLinks();
    EXPECT_TRUE(gang->Done());
    EXPECT_FALSE(gang->Confirm());
    // 000104 was never programmed: the operator stopped.
    ASSERT_EQ(gang->Results().size(), 3u);
    EXPECT_EQ(gang->Results()[2].Unit.Serial, "000103");
    EXPECT_TRUE(gang->Results()[2].Complete);
}

}  // namespace
}  // namespace kv::console::testing
