// One automatable parameter: a double value with a range, a step, a curved
// mapping to the normalized position 0..1, and display rules.
// A parameter has no lock of its own; the plug-in lock guards it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/core/GrowBuffer.h"

enum class ParamKind : std::int32_t {
    Unset = 0,
    Toggle = 1,
    Integer = 2,
    Choice = 3,
    Continuous = 4,
};

struct ValueText {
    std::int32_t value;
    char text[32];
};

class IParameter {
  public:
    // Names are longer than labels: some product names need up to 38 characters.
    static constexpr std::size_t kNameSize = 64;
    static constexpr std::size_t kLabelSize = 32;
    static constexpr std::size_t kTextSize = 32;  // value texts and display texts

    IParameter() = default;
    IParameter(const IParameter&) = delete;
    IParameter& operator=(const IParameter&) = delete;

    // Setup, once per parameter by the product's constructor. Texts longer
    // than their fields are cut; every field stays terminated.
    void SetupContinuous(const char* name, double defaultValue, double minimum, double maximum,
                         double step, const char* label = "");
    void SetupToggle(const char* name, bool defaultValue);
    void SetupChoice(const char* name, int defaultValue, int count);
    // e = 0 (and any exponent that is not a finite positive number) is ignored.
    void SetShapeExponent(double e);
    void AddValueText(int value, const char* text);

    ParamKind Kind() const { return kind_; }
    int DisplayDigits() const { return displayDigits_; }
    double Value() const { return value_; }
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Step() const { return step_; }
    double ShapeExponent() const { return shapeExponent_; }
    const char* Name() const { return name_; }
    const char* Label() const { return label_; }

    // Sets the value from a position. A position outside 0..1 is taken as the
    // nearest end; a position that is not a number changes nothing.
    void SetFromNormalized(double n);
    double Normalized() const { return ToNormalized(value_); }
    double ToNormalized(double x) const;

    // Writes the value clamped into [minimum, maximum], unrounded (state
    // loading). A value that is not a number is refused: the old value stays.
    // Returns whether the value was taken.
    bool SetClamped(double v);

    // Display text of x (a position when isNormalized) into out, cut to size.
    void FormatValue(double x, bool isNormalized, char* out, std::size_t size = kTextSize) const;
    void FormatCurrent(char* out, std::size_t size = kTextSize) const {
        FormatValue(value_, false, out, size);
    }

    int ValueTextCount() const;
    // Text of the first entry with that value, or the empty string.
    const char* ValueTextFor(int value) const;
    // First entry whose text equals text exactly (case matters).
    bool FindValueByText(const char* text, int& value) const;
    bool FindValueByText(const char* text, double& value) const;

    // The value read as decibels, as a linear factor.
    double GainFromDecibels() const;

  private:
    bool RoundsToStep() const { return kind_ != ParamKind::Continuous; }

    ParamKind kind_ = ParamKind::Unset;
    std::int32_t displayDigits_ = 0;
    double value_ = 0.0;
    double minimum_ = 0.0;
    double maximum_ = 1.0;
    double step_ = 1.0;
    double shapeExponent_ = 1.0;
    char name_[kNameSize] = {};
    char label_[kLabelSize] = {};
    GrowBuffer valueTexts_;  // ValueText entries in insertion order
};

// Copies src into dst of size bytes, cut to fit and always terminated.
// A null src gives the empty text. Nothing is written when size is 0.
void CopyText(char* dst, std::size_t size, const char* src);

// Truncation toward zero that saturates at the int range; NaN gives 0.
int TruncToInt(double v);
