// Programming unit after unit without windows: the serial lists and the run.
#include <gtest/gtest.h>

#include <sstream>

#include "ConsoleFixture.h"
#include "console/Production.h"
#include "link/Messages.h"

namespace kv::console::testing {
namespace {

TEST(SerialList, Range) {
    auto units = SerialRange("000998..001001", std::string("FT-1"));
    ASSERT_EQ(units.size(), 4u);
    EXPECT_EQ(units.front().Serial, "000998");
    EXPECT_EQ(units.back().Serial, "001001");
    EXPECT_EQ(units.back().Tag, "FT-1");
    EXPECT_EQ(SerialRange("123456..123456", std::nullopt).size(), 1u);
    for (const char* bad :
         {"101..103", "000103..000101", "000101-000103", "00010a..000103", "000101..", ""})
        EXPECT_THROW(SerialRange(bad, std::nullopt), std::invalid_argument) << bad;
}

TEST(SerialList, File) {
    std::istringstream in("# serial,tag\n000101, FT-101\n\n000102\n  000103 ,PT 7 \r\n");
    auto units = ReadUnitList(in);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0].Serial, "000101");
    EXPECT_EQ(units[0].Tag, "FT-101");
    EXPECT_FALSE(units[1].Tag.has_value());
    EXPECT_EQ(units[2].Serial, "000103");
    EXPECT_EQ(units[2].Tag, "PT 7");

    std::istringstream bad("000101,A\n000102,B\n12345,C\n");
    try {
        ReadUnitList(bad);
        FAIL() << "a five-digit serial number passed";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

class Production : public ConsoleFixture {
  protected:
    Production() {
        Attach("COM1");
        Start("758-FP01-000000.apx", BuildImage({}));
        run.emplace(*console, dialogs, [this] {
            while (timer->Step()) {
            }
        });
        run->BeforeUnit = [this](size_t index, const UnitEntry&) {
            asked.push_back(index);
            return proceed;
        };
    }
    std::string SerialIn(size_t n) const { return TextIn(received.at(n), 0x10000 + 16, 6); }

    std::optional<ProductionRun> run;
    std::vector<size_t> asked;
    bool proceed = true;
};

TEST_F(Production, ProgramsEachUnitFromTheSameLoad) {
    auto results = run->Run(SerialRange("000101..000103", std::string("FT-1")), false);
    ASSERT_EQ(results.size(), 3u);
    for (const auto& r : results) {
        EXPECT_TRUE(r.Complete);
        EXPECT_EQ(r.Outcome, link::msg::Complete);
    }
    EXPECT_EQ(asked, (std::vector<size_t>{1, 2}));  // before every unit but the first
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(SerialIn(0), "000101");
    EXPECT_EQ(SerialIn(2), "000103");
}

TEST_F(Production, StopsAtTheFirstFailureUnlessToldToGoOn) {
    const std::vector<UnitEntry> units = {{"000101", "A"}, {"000102", "NO#TAG"}, {"000103", "C"}};
    auto results = run->Run(units, false);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_FALSE(results[1].Complete);
    EXPECT_NE(results[1].Outcome.find("does not fit the tag field"), std::string::npos)
        << results[1].Outcome;

    results = run->Run(units, true);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_TRUE(results[2].Complete);
    EXPECT_EQ(SerialIn(received.size() - 1), "000103");

    results = run->Run({{"000104", std::nullopt}, {"00010", std::nullopt}}, true);
    EXPECT_EQ(results[1].Outcome, "Invalid Serial Number: please enter 6-digit number");
}

TEST_F(Production, TheOperatorCanStopBetweenUnits) {
    proceed = false;
    auto results = run->Run(SerialRange("000101..000105", std::nullopt), false);
    EXPECT_EQ(results.size(), 1u);
}

TEST_F(Production, AUnitThatDoesNotAnswerFailsItsLine) {
    ports = {"COM7"};
    Start("758-FP01-000000.apx", BuildImage({}));
    run.emplace(*console, dialogs, [this] {
        while (timer->Step()) {
        }
    });
    auto result = run->ProgramUnit({"000101", std::nullopt});
    EXPECT_FALSE(result.Complete);
    EXPECT_EQ(result.Outcome, link::msg::NoResponse);
}

}  // namespace
}  // namespace kv::console::testing
