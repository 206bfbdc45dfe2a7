#pragma once

#include "framework/procedurecontroller.h"

// The form of a document text: its kind (explanation, payment terms, information), its short
// description, three lines of text and, for payment terms only, the early-payment discount
// and the days to pay.
class Updatetext : public ProcedureController
{
public:
    static constexpr int kNumber = 1;
    static constexpr int kKind = 2;
    static constexpr int kDescription = 3;
    static constexpr int kText1 = 4;
    static constexpr int kText2 = 5;
    static constexpr int kText3 = 6;
    static constexpr int kDiscount = 7;
    static constexpr int kDiscountDays = 8;
    static constexpr int kDaysToPay = 9;
    static constexpr int kHint = 10;
    static constexpr int kOk = 51;
    static constexpr int kCancel = 52;

    explicit Updatetext(AppContext &app);

    int OnAccepted() override;
    int OnCompleted() override;

protected:
    void registerParts() override;
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    // Refuses the save with an "ACHTUNG" box and puts the focus on `control`.
    int refuse(const char *text, int control);
};
