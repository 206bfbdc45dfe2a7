#pragma once

#include "costing/forms/lineform.h"

#include <array>
#include <memory>

class FileDrop;

// A paper line of an order: a paper picked from the catalogue, its quantity in pieces or in
// packing units, and its price.
class UpdateaufpapP : public LineForm
{
public:
    explicit UpdateaufpapP(AppContext &app);
    ~UpdateaufpapP() override;

    static constexpr int kName = 1;
    static constexpr int kPick = 2;
    static constexpr int kPrice = 3;
    static constexpr int kUnitName = 4;
    static constexpr int kPerUnit = 5;
    static constexpr int kFormat = 6;
    static constexpr int kUnits = 7;
    static constexpr int kPieces = 8;
    static constexpr int kTotal = 9;
    static constexpr int kOrder = 20;
    static constexpr int kId = 21;

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

// The paper catalogue: grades with their selling price per packing unit and up to three
// suppliers, whose name, phone and fax are copied from the supplier catalogue.
class UpdatepapierR : public ProcedureController
{
public:
    explicit UpdatepapierR(AppContext &app);
    ~UpdatepapierR() override;

    static constexpr int kOk = 90;
    static constexpr int kCancel = 91;
    static constexpr int kName = 1;
    static constexpr int kPrice = 2;
    static constexpr int kUnitName = 3;
    static constexpr int kPerUnit = 4;
    static constexpr int kLength = 5;
    static constexpr int kWidth = 6;
    static constexpr int kWeight = 7;
    // Supplier n (1 … 3): purchase price, name, pick list, phone, fax at 10 × n + 0 … 4.
    static constexpr int supplierControl(int supplier, int part) { return 10 * supplier + part; }
    static constexpr int kNumber = 50;
    static constexpr int kId = 51;

    void FillNewRecord() override;
    int OnAccepted() override;
    int OnFieldEvent() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    std::array<std::unique_ptr<FileDrop>, 3> m_suppliers;
};
