#pragma once

#include "costing/forms/lineform.h"

#include <memory>

class FileDrop;

// The service lines of an order, each priced from its catalogue: typesetting and processing
// of a print calculation, additional work and transport. Their total is quantity × price ×
// factor; picking a catalogue entry copies description, price, unit and factor, never the
// quantity.

class Updateasatz : public LineForm
{
public:
    explicit Updateasatz(AppContext &app);
    ~Updateasatz() override;

    static constexpr int kDescription = 1;
    static constexpr int kPick = 2;
    static constexpr int kQuantity = 3;
    static constexpr int kFactor = 4;
    static constexpr int kPrice = 5;
    static constexpr int kUnit = 6;
    static constexpr int kTotal = 7;

    void FillNewRecord() override;
    int OnAccepted() override;
    int OnFieldEvent() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;
    void recompute() override;

private:
    std::unique_ptr<FileDrop> m_pick;
};

class Updateanach : public LineForm
{
public:
    explicit Updateanach(AppContext &app);
    ~Updateanach() override;

    static constexpr int kDescription = 1;
    static constexpr int kPrice = 2;
    static constexpr int kUnit = 3;
    static constexpr int kPick = 4;
    static constexpr int kQuantity = 5;
    static constexpr int kFactor = 6;
    static constexpr int kTotal = 7;
    static constexpr int kUpdatePrice = 8;
    static constexpr int kOrder = 20;

    void FillNewRecord() override;
    int OnAccepted() override;
    int OnFieldEvent() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;
    void recompute() override;

private:
    std::unique_ptr<FileDrop> m_pick;
};

class Updateatran : public LineForm
{
public:
    explicit Updateatran(AppContext &app);
    ~Updateatran() override;

    static constexpr int kDescription = 1;
    static constexpr int kPrice = 2;
    static constexpr int kUnit = 3;
    static constexpr int kPick = 4;
    static constexpr int kQuantity = 5;
    static constexpr int kFactor = 6;
    static constexpr int kTotal = 7;
    static constexpr int kUpdatePrice = 8;
    static constexpr int kId = 20;
    static constexpr int kOrder = 21;

    void FillNewRecord() override;
    int OnAccepted() override;
    int OnFieldEvent() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;
    void recompute() override;

private:
    std::unique_ptr<FileDrop> m_pick;
};
