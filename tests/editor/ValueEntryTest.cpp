// Key filters and the value check of the value, tag, printer text and factor fields.
#include <gtest/gtest.h>

#include <string>

#include "editor/Texts.h"
#include "editor/ValueEntry.h"

namespace kv::editor {
namespace {

struct KeyCase {
    char Key;
    const char* Text;
    int Caret;
    int Selection;
    const char* Type;
    bool Passes;
};

TEST(ValueKeys, FollowTheDigitAndDecimalRules) {
    const KeyCase cases[] = {
        {'7', "123456", 6, 0, "DT_FLOAT", true},       // the seventh digit
        {'8', "1234567", 7, 0, "DT_FLOAT", false},     // an eighth is refused
        {'8', "1234567", 0, 0, "DT_FLOAT", false},     // wherever the caret is
        {'8', "1234567", 2, 3, "DT_FLOAT", true},      // typing over a selection
        {'1', "1234.56", 7, 0, "DT_FLOAT", true},      // a third decimal
        {'1', "1234.567", 8, 0, "DT_FLOAT", false},    // more than 7 characters with a point
        {'1', "12.345", 6, 0, "DT_FLOAT", false},      // a fourth decimal
        {'1', "12.345", 1, 0, "DT_FLOAT", true},       // before the point it may grow
        {'1', "12.345", 6, 1, "DT_FLOAT", true},       // over a selected decimal
        {'5', "20.", 3, 0, "GU_TEMPERATURE", true},    // a temperature's one decimal
        {'5', "20.5", 4, 0, "GU_TEMPERATURE", false},  // and not a second
        {'5', "20.5", 1, 0, "GU_TEMPERATURE", true},   // digits before its point
        {'.', "12", 2, 0, "DT_FLOAT", true},
        {'.', "1.2", 3, 0, "DT_FLOAT", false},  // one point only
        {'.', "12", 2, 0, "DT_INTEGER", false},
        {'.', "12", 2, 0, "DT_SCROLL", false},
        {'-', "1234567", 3, 0, "DT_INTEGER", true},  // "-" anywhere, even in a full field
        {'-', "", 0, 0, "DT_FLOAT", true},
        {KeyBackspace, "1234567", 7, 0, "DT_FLOAT", true},
        {KeyEnter, "1234567", 7, 0, "DT_FLOAT", true},
        {'a', "", 0, 0, "DT_FLOAT", false},
        {'+', "", 0, 0, "DT_FLOAT", false},
        {',', "1", 1, 0, "DT_FLOAT", false},  // no other decimal separator
        {' ', "1", 1, 0, "DT_FLOAT", false},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(ValueKeyPasses(c.Key, c.Text, c.Caret, c.Selection, c.Type), c.Passes)
            << "key '" << c.Key << "' on \"" << c.Text << "\" caret " << c.Caret << " type "
            << c.Type;
}

TEST(TagAndPrintKeys, PassTheirCharacterSetsOnly) {
    const std::string tagOnly = " %&*+-/0123456789@ABCXYZ^_abcxyz~";
    const std::string tagRefused = "!\"#$'(),.:;<=>?[\\]`{|}\t";
    for (char c : tagOnly) EXPECT_TRUE(TagKeyPasses(c)) << c;
    for (char c : tagRefused) EXPECT_FALSE(TagKeyPasses(c)) << c;
    EXPECT_TRUE(TagKeyPasses(KeyBackspace));
    EXPECT_TRUE(TagKeyPasses(KeyEnter));

    const std::string printPasses = " !#$%&()*+,-./09:;<=>?@AZ^_az~";
    const std::string printRefused = "\"'[\\]`{|}\t";
    for (char c : printPasses) EXPECT_TRUE(PrintTextKeyPasses(c)) << c;
    for (char c : printRefused) EXPECT_FALSE(PrintTextKeyPasses(c)) << c;
    for (char c = '('; c <= 'Z'; ++c) EXPECT_TRUE(PrintTextKeyPasses(c)) << c;
    EXPECT_TRUE(PrintTextKeyPasses(KeyBackspace));
    EXPECT_TRUE(PrintTextKeyPasses(KeyEnter));
    EXPECT_FALSE(PrintTextKeyPasses('\x80'));
}

TEST(FactorKeys, PassDigitsPointAndEditingKeys) {
    for (char c : std::string("0123456789.\b\t\r")) EXPECT_TRUE(FactorKeyPasses(c)) << int(c);
    for (char c : std::string("-+e, a")) EXPECT_FALSE(FactorKeyPasses(c)) << c;
}

struct CheckCase {
    const char* Value;
    const char* Low;
    const char* High;
    const char* Mask;
    const char* Error;  // nullptr: taken
};

TEST(ValueCheck, RefusesWithWarningAndErrorText) {
    const CheckCase cases[] = {
        {"10", "10", "20", "", nullptr},  // both limits inclusive
        {"20", "10", "20", "", nullptr},
        {"9.999", "10", "20", "", text::RangeError},
        {"20.001", "10", "20", "", text::RangeError},
        {"-5", "-10", "0", "", nullptr},
        {"5-", "-10", "10", "", text::TextError},  // a misplaced "-"
        {"1-2", "-10", "10", "", text::TextError},
        {"abc", "0", "10", "", text::TextError},
        {"", "0", "10", "", text::TextError},
        {"5", "", "10", "", text::TextError},  // an empty limit fails every value
        {"5", "0", "x", "", text::TextError},
        {"1,5", "0", "10", "", text::TextError},                 // "." whatever the locale
        {"12345678", "0", "99999999", "", text::DecimalsError},  // an eight-digit paste
        {"1234567", "0", "99999999", "", nullptr},
        {"1234.567", "0", "9999", "", nullptr},
        {"12.3456", "0", "9999", "", text::DecimalsError},  // four decimals
        {"1234.5678", "0", "9999", "", text::DecimalsError},
        {"0", "15", "9999", "9999", nullptr},  // the Hertz column: 0 below LowLimit
        {"0", "15", "9999", "", text::RangeError},
        {"x", "", "9999", "9999", text::TextError},
        {"inf", "0", "10", "", text::TextError},
    };
    for (const CheckCase& c : cases) {
        auto refusal = CheckValue(c.Value, c.Low, c.High, c.Mask);
        SCOPED_TRACE(std::string("value \"") + c.Value + "\" in " + c.Low + ".." + c.High);
        if (!c.Error) {
            EXPECT_FALSE(refusal);
            continue;
        }
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->Error, c.Error);
        const char* warning = refusal->Error == text::TextError       ? text::NotANumber
                              : refusal->Error == text::DecimalsError ? text::TooManyDigits
                                                                      : text::OutOfRange;
        EXPECT_EQ(refusal->Warning, warning);
    }
}

}  // namespace
}  // namespace kv::editor
