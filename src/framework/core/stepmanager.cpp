#include "stepmanager.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

std::optional<double> numberOf(const FieldValue &value)
{
    if (const auto *i = std::get_if<std::int32_t>(&value))
        return *i;
    if (const auto *d = std::get_if<double>(&value))
        return *d;
    return std::nullopt;
}

} // namespace

StepManager::StepManager(unsigned controls)
    : m_controls(controls)
{}

StepManager::~StepManager() = default;

NumericStep::NumericStep(unsigned controls)
    : StepManager(controls)
{}

void NumericStep::setLimits(const FieldValue &first, const FieldValue &last)
{
    const double a = numberOf(first).value_or(0);
    const double b = numberOf(last).value_or(0);
    m_low = std::min(a, b);
    m_high = std::max(a, b);
    m_integral
        = std::holds_alternative<std::int32_t>(first) && std::holds_alternative<std::int32_t>(last);
}

int NumericStep::position(const FieldValue &value) const
{
    const auto v = numberOf(value);
    if (!v || m_high == m_low)
        return 50;
    const double share = std::trunc((*v - m_low) * 100.0 / (m_high - m_low));
    int pos = static_cast<int>(std::clamp(share, 0.0, 100.0));
    if (descending())
        pos = 100 - pos;
    return pos == 0 ? 1 : pos;
}

std::optional<FieldValue> NumericStep::value(int position) const
{
    int p = std::clamp(position, 0, 100);
    // The thumb runs in key order: near the top of a descending key lie the high values.
    if (descending())
        p = 100 - p;
    const double v = m_low + (m_high - m_low) * p / 100.0;
    if (m_integral) {
        const double t = std::clamp(std::trunc(v),
                                    double(std::numeric_limits<std::int32_t>::min()),
                                    double(std::numeric_limits<std::int32_t>::max()));
        return FieldValue(static_cast<std::int32_t>(t));
    }
    return FieldValue(v);
}

CustomStep::CustomStep(unsigned controls)
    : StepManager(controls)
{}

void CustomStep::setLimits(const FieldValue &, const FieldValue &) {}

int CustomStep::position(const FieldValue &) const
{
    return 50;
}

std::optional<FieldValue> CustomStep::value(int) const
{
    return std::nullopt;
}
