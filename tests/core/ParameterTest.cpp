#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "framework/core/IParameter.h"

namespace {

std::string Format(const IParameter& p, double x, bool normalized) {
    char out[IParameter::kTextSize];
    p.FormatValue(x, normalized, out);
    return out;
}

}  // namespace

TEST(Parameter, DisplayDigitsFollowTheStep) {
    const struct {
        double step;
        int digits;
    } cases[] = {{1, 0},    {0.5, 1},   {0.1, 1},       {0.25, 2}, {0.05, 2},
                 {0.01, 2}, {0.001, 3}, {1.0 / 3.0, 6}, {10, 0}};
    for (const auto& c : cases) {
        IParameter p;
        p.SetupContinuous("x", 0, 0, 100, c.step);
        EXPECT_EQ(p.DisplayDigits(), c.digits) << c.step;
    }
}

TEST(Parameter, SetupKeepsKindDefaultAndWidensRange) {
    IParameter p;
    p.SetupContinuous("x", 0, 0, 0, 1);
    EXPECT_EQ(p.Maximum(), 1.0);
    EXPECT_EQ(p.Kind(), ParamKind::Continuous);

    IParameter t;
    t.SetupToggle("t", true);
    EXPECT_EQ(t.Kind(), ParamKind::Toggle);
    EXPECT_EQ(t.Value(), 1.0);
    t.SetupContinuous("again", 0.3, 0, 5, 0.5);  // a later setup never changes the kind
    EXPECT_EQ(t.Kind(), ParamKind::Toggle);

    IParameter outside;
    outside.SetupContinuous("o", 150, 0, 100, 1);  // default kept, unclamped
    EXPECT_EQ(outside.Value(), 150);
    EXPECT_EQ(outside.Normalized(), 1.0);
}

TEST(Parameter, SettingRoundsWhereDisplayTruncates) {
    IParameter choice;
    choice.SetupChoice("c", 0, 5);
    for (int i = 0; i < 5; ++i) choice.AddValueText(i, ("choice " + std::to_string(i)).c_str());
    EXPECT_EQ(choice.Maximum(), 4);
    choice.SetFromNormalized(0.4);
    EXPECT_EQ(choice.Value(), 2);
    EXPECT_EQ(Format(choice, 0.4, true), "choice 1");

    IParameter toggle;
    toggle.SetupToggle("t", false);
    const struct {
        double n;
        double v;
        const char* text;
    } cases[] = {{0.5, 1, "on"}, {0.49, 0, "off"}, {1.0, 1, "on"}, {0.0, 0, "off"}};
    for (const auto& c : cases) {
        toggle.SetFromNormalized(c.n);
        EXPECT_EQ(toggle.Value(), c.v) << c.n;
        char out[32];
        toggle.FormatCurrent(out);
        EXPECT_STREQ(out, c.text);
    }
}

TEST(Parameter, ShapeExponentMapsBothWays) {
    IParameter p;
    p.SetupContinuous("f", 0, 0, 100, 0.01);
    p.SetShapeExponent(2);
    p.SetShapeExponent(0);  // ignored
    EXPECT_DOUBLE_EQ(p.ToNormalized(25), 0.5);
    p.SetFromNormalized(0.5);
    EXPECT_DOUBLE_EQ(p.Value(), 25);
    EXPECT_DOUBLE_EQ(p.ToNormalized(-5), 0.0);
    EXPECT_DOUBLE_EQ(p.ToNormalized(500), 1.0);
}

TEST(Parameter, RoundingCountsFromZeroNotFromMinimum) {
    IParameter q;
    q.SetupChoice("q", 0, 3);
    q.SetupContinuous("q", 0, 0.3, 10.3, 1);  // kind stays Choice: rounded to whole numbers
    q.SetFromNormalized(0.0);
    EXPECT_EQ(q.Value(), 0.0);  // 0.3 rounds to 0, below the minimum
    q.SetFromNormalized(1.0);
    EXPECT_EQ(q.Value(), 10.0);  // the grid counts from zero: 10.3 rounds to 10
    q.SetFromNormalized(0.97);   // 10.0 + a bit: rounds to 10
    EXPECT_EQ(q.Value(), 10.0);
}

TEST(Parameter, FormatValueTable) {
    IParameter two;
    two.SetupContinuous("x", 0, -10, 10, 0.01);
    IParameter zero;
    zero.SetupContinuous("x", 0, -10, 100, 1);
    IParameter texts;
    texts.SetupChoice("c", 0, 4);
    texts.AddValueText(0, "zero");
    texts.AddValueText(1, "");
    texts.AddValueText(2, "two");
    texts.AddValueText(2, "second two");
    const struct {
        const IParameter* p;
        double x;
        const char* text;
    } cases[] = {
        {&two, 0.0, "0"},
        {&two, -0.0, "0"},
        {&two, 0.004, "0.00"},
        {&two, 1.235, "1.24"},
        {&zero, 19.9, "19"},
        {&zero, -2.5, "-2"},
        {&texts, 0, "zero"},
        {&texts, 1, "1"},
        {&texts, 2.9, "two"},
        {&texts, 3, "3"},
        {&zero, 1e300, "2147483647"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(*c.p, c.x, false), c.text) << c.x;
}

TEST(Parameter, DisplayTextNeverOverflowsItsField) {
    IParameter p;
    p.SetupContinuous("x", 0, 0, 1e300, 0.000001);
    char out[IParameter::kTextSize + 8];
    std::memset(out, 'X', sizeof out);
    p.FormatValue(1e300, false, out);
    EXPECT_EQ(std::strlen(out), IParameter::kTextSize - 1);
    EXPECT_EQ(out[IParameter::kTextSize], 'X');
}

TEST(Parameter, TextsAreCutToTheirFields) {
    const std::string longName(100, 'n');
    const std::string longLabel(100, 'l');
    IParameter p;
    p.SetupContinuous(longName.c_str(), 0, 0, 1, 1, longLabel.c_str());
    p.AddValueText(0, longLabel.c_str());
    EXPECT_EQ(std::string(p.Name()), longName.substr(0, IParameter::kNameSize - 1));
    EXPECT_EQ(std::string(p.Label()), longLabel.substr(0, IParameter::kLabelSize - 1));
    EXPECT_EQ(std::string(p.ValueTextFor(0)), longLabel.substr(0, 31));

    // A 40-character name is kept whole.
    const char* forty = "Output Trim Of The Very Long Named Stage";
    p.SetupContinuous(forty, 0, 0, 1, 1);
    EXPECT_STREQ(p.Name(), forty);
}

TEST(Parameter, ValueTextLookupsTakeTheFirstMatch) {
    IParameter p;
    p.SetupChoice("c", 0, 3);
    p.AddValueText(1, "Sine");
    p.AddValueText(2, "Sine");
    EXPECT_EQ(p.ValueTextCount(), 2);
    int v = -1;
    EXPECT_TRUE(p.FindValueByText("Sine", v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(p.FindValueByText("sine", v));
    EXPECT_FALSE(p.FindValueByText(nullptr, v));
    EXPECT_STREQ(p.ValueTextFor(7), "");
}

TEST(Parameter, GainFromDecibels) {
    IParameter p;
    p.SetupContinuous("g", -6.0, -60, 12, 0.1);
    EXPECT_NEAR(p.GainFromDecibels(), std::pow(10.0, -6.0 / 20.0), 1e-12);
}

// Values a hostile host or chunk may hand in must not poison the parameter.
TEST(Parameter, NonFiniteAndOutOfRangeInputsAreContained) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    IParameter p;
    p.SetupContinuous("g", 3, 0, 10, 0.1);
    p.SetShapeExponent(1.5);
    p.SetFromNormalized(nan);
    EXPECT_EQ(p.Value(), 3);  // refused
    p.SetFromNormalized(-0.5);
    EXPECT_EQ(p.Value(), 0);  // nearest end, not a NaN from pow
    p.SetFromNormalized(7);
    EXPECT_EQ(p.Value(), 10);
    EXPECT_FALSE(p.SetClamped(nan));
    EXPECT_EQ(p.Value(), 10);  // the old value stays
    EXPECT_TRUE(p.SetClamped(-inf));
    EXPECT_EQ(p.Value(), 0);
    EXPECT_EQ(p.ToNormalized(nan), 0.0);
    p.SetShapeExponent(-2);
    p.SetShapeExponent(nan);
    EXPECT_EQ(p.ShapeExponent(), 1.5);
    EXPECT_NO_FATAL_FAILURE(Format(p, nan, true));
}
