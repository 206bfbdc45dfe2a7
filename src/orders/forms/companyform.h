#pragma once

#include "framework/procedurecontroller.h"

// "Firmendaten": the shop's own data, one record, as the documents and e-invoices name the
// seller. Opened from the menu on the record there is, or on a new one when there is none.
class CompanyForm : public ProcedureController
{
public:
    enum Control : int {
        Name = 1,
        Street = 2,
        Postcode = 3,
        Town = 4,
        Country = 5,
        VatId = 6,
        TaxNumber = 7,
        RegisterCourt = 8,
        RegisterNumber = 9,
        ManagingDirector = 10,
        Iban = 11,
        Bic = 12,
        Bank = 13,
        Contact = 14,
        Phone = 15,
        Mail = 16,
        ElectronicAddress = 17,
        VatRate = 18,
        Letterhead = 19,
        Ok = 40,
        Cancel = 41,
    };

    explicit CompanyForm(AppContext &app);

    void FillNewRecord() override;
    int OnAccepted() override;
    int OnCompleted() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    std::int32_t m_letterhead = 0;
};

// The menu's procedure: the form on the one `firma` record, made when there is none.
void runCompanyForm(AppContext &app);
