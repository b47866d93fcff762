#include "framework/core/IParameter.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

void CopyText(char* dst, std::size_t size, const char* src) {
    if (!dst || size == 0) return;
    if (!src) {
        dst[0] = '\0';
        return;
    }
    std::size_t n = 0;
    while (n + 1 < size && src[n] != '\0') ++n;
    std::memmove(dst, src, n);
    dst[n] = '\0';
}

int TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

void IParameter::SetupContinuous(const char* name, double defaultValue, double minimum,
                                 double maximum, double step, const char* label) {
    if (kind_ == ParamKind::Unset) kind_ = ParamKind::Continuous;
    CopyText(name_, sizeof name_, name);
    CopyText(label_, sizeof label_, label);
    value_ = defaultValue;
    minimum_ = minimum;
    maximum_ = maximum < minimum + step ? minimum + step : maximum;
    step_ = step;
    displayDigits_ = 0;
    double s = step;
    while (std::isfinite(s) && s != std::floor(s) && displayDigits_ < 6) {
        ++displayDigits_;
        s *= 10.0;
    }
}

void IParameter::SetupToggle(const char* name, bool defaultValue) {
    if (kind_ == ParamKind::Unset) kind_ = ParamKind::Toggle;
    SetupContinuous(name, defaultValue ? 1.0 : 0.0, 0.0, 1.0, 1.0, "");
    AddValueText(0, "off");
    AddValueText(1, "on");
}

void IParameter::SetupChoice(const char* name, int defaultValue, int count) {
    if (kind_ == ParamKind::Unset) kind_ = ParamKind::Choice;
    SetupContinuous(name, defaultValue, 0.0, static_cast<double>(count) - 1.0, 1.0, "");
}

void IParameter::SetShapeExponent(double e) {
    // Zero keeps the previous exponent; so does anything that would make
    // the mapping undefined.
    if (e > 0.0 && std::isfinite(e)) shapeExponent_ = e;
}

void IParameter::AddValueText(int value, const char* text) {
    ValueText entry{};
    entry.value = value;
    CopyText(entry.text, sizeof entry.text, text);
    valueTexts_.Append(&entry, sizeof entry);
}

void IParameter::SetFromNormalized(double n) {
    if (std::isnan(n)) return;
    if (n < 0.0) n = 0.0;
    if (n > 1.0) n = 1.0;
    double v = minimum_ + std::pow(n, shapeExponent_) * (maximum_ - minimum_);
    if (RoundsToStep() && step_ > 0.0) v = std::floor(v / step_ + 0.5) * step_;
    if (v >= maximum_) v = maximum_;
    value_ = v;
}

double IParameter::ToNormalized(double x) const {
    const double range = maximum_ - minimum_;
    if (!(range > 0.0)) return 0.0;
    double q = x;
    if (std::isnan(q)) q = minimum_;
    if (q < minimum_) q = minimum_;
    if (q > maximum_) q = maximum_;
    return std::pow((q - minimum_) / range, 1.0 / shapeExponent_);
}

bool IParameter::SetClamped(double v) {
    if (std::isnan(v)) return false;
    if (v < minimum_) v = minimum_;
    if (v > maximum_) v = maximum_;
    value_ = v;
    return true;
}

void IParameter::FormatValue(double x, bool isNormalized, char* out, std::size_t size) const {
    if (!out || size == 0) return;
    const double v =
        isNormalized ? minimum_ + std::pow(x, shapeExponent_) * (maximum_ - minimum_) : x;
    if (ValueTextCount() > 0) {
        const char* text = ValueTextFor(TruncToInt(v));
        if (text[0] != '\0') {
            CopyText(out, size, text);
            return;
        }
    }
    if (v == 0.0) {
        CopyText(out, size, "0");
    } else if (displayDigits_ == 0) {
        std::snprintf(out, size, "%d", TruncToInt(v));
    } else {
        char format[16];
        std::snprintf(format, sizeof format, "%%.%df", displayDigits_);
        std::snprintf(out, size, format, v);
    }
}

int IParameter::ValueTextCount() const {
    return static_cast<int>(valueTexts_.Size() / sizeof(ValueText));
}

const char* IParameter::ValueTextFor(int value) const {
    const ValueText* entries = valueTexts_.As<ValueText>();
    for (int i = 0, n = ValueTextCount(); i < n; ++i)
        if (entries[i].value == value) return entries[i].text;
    return "";
}

bool IParameter::FindValueByText(const char* text, int& value) const {
    if (!text) return false;
    const ValueText* entries = valueTexts_.As<ValueText>();
    for (int i = 0, n = ValueTextCount(); i < n; ++i) {
        if (std::strcmp(entries[i].text, text) == 0) {
            value = entries[i].value;
            return true;
        }
    }
    return false;
}

bool IParameter::FindValueByText(const char* text, double& value) const {
    int v = 0;
    if (!FindValueByText(text, v)) return false;
    value = v;
    return true;
}

double IParameter::GainFromDecibels() const {
    return std::exp(value_ * 0.1151292546497);
}
