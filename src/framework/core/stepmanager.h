#pragma once

#include "store/recordbuffer.h"

#include <optional>

// A step manager converts between a value of a key component and a position of the scroll
// thumb, 1 (first record of the range) to 100 (last record). Lists place the thumb with it and
// reposition by it when the thumb is dragged; reports measure their progress with it.
class StepManager
{
public:
    // The `CONTROLS` flags: which characters a text key can hold and how the key compares.
    enum Control : unsigned {
        Alphabetic = 1,
        Punctuation = 2,
        Digits = 4,
        CaseSensitive = 8,
        Descending = 16,
    };

    explicit StepManager(unsigned controls);
    virtual ~StepManager();
    StepManager(const StepManager &) = delete;
    StepManager &operator=(const StepManager &) = delete;

    unsigned controls() const { return m_controls; }
    bool descending() const { return (m_controls & Descending) != 0; }

    // The key values of the first and the last record of the range, in key order.
    virtual void setLimits(const FieldValue &first, const FieldValue &last) = 0;
    // 1 … 100, in key order whatever the direction of the key.
    virtual int position(const FieldValue &value) const = 0;
    // A key value at that position; none when the manager cannot name one.
    virtual std::optional<FieldValue> value(int position) const = 0;

private:
    unsigned m_controls;
};

// A numeric key between `LOW` and `HIGH`, spread evenly.
class NumericStep : public StepManager
{
public:
    explicit NumericStep(unsigned controls = 0);

    // The smaller of the two values becomes `LOW`, so for a descending key (whose first
    // record holds the highest value) the limits arrive swapped and are put back.
    void setLimits(const FieldValue &first, const FieldValue &last) override;
    // A text value is not measured: it sits in the middle.
    int position(const FieldValue &value) const override;
    // An integer when the limits were integers, so that it fits a LONG component.
    std::optional<FieldValue> value(int position) const override;

    double low() const { return m_low; }
    double high() const { return m_high; }

private:
    double m_low = 0;
    double m_high = 0;
    bool m_integral = false;
};

// For a key that no table describes: every value is in the middle, and a dragged thumb has
// no value to go to.
class CustomStep : public StepManager
{
public:
    explicit CustomStep(unsigned controls = 0);

    void setLimits(const FieldValue &first, const FieldValue &last) override;
    int position(const FieldValue &value) const override;
    std::optional<FieldValue> value(int position) const override;
};
