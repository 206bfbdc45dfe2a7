#pragma once

#include "framework/browse/browsemanager.h"
#include "framework/core/stepmanager.h"
#include "framework/procedurecontroller.h"

#include "store/recordbuffer.h"

#include <cstdint>
#include <memory>
#include <optional>

// The customer form: address, terms, communication, delivery address and contact person,
// and the customer's orders, from which the order form is called. The same class is the
// customer form of the print menu, whose order list prints an order in detail.
class CustomerForm : public ProcedureController
{
public:
    enum class Kind {
        Main,       // Updatekunde
        DetailPrint // Upddrukunde
    };

    enum Control : int {
        Name = 1,
        Attention = 2,
        Street = 3,
        Postcode = 4,
        Place = 5,
        Discount = 6,
        Phone = 7,
        Fax = 8,
        Mobile = 9,
        Mail = 10,
        Web = 11,
        DeliveryName = 15,
        DeliveryAttention = 16,
        DeliveryStreet = 17,
        DeliveryPostcode = 18,
        DeliveryPlace = 19,
        CopyAddress = 20,
        Contact = 22,
        ContactPhone = 23,
        ContactMobile = 24,
        ContactFax = 25,
        ContactMail = 26,
        ContactBirthday = 27,
        InternalNumber = 28,
        Identity = 29,
        Orders = 30,
        OrderInsert = 31,
        OrderChange = 32,
        OrderDelete = 33,
        OrderPrint = 34,
        Ok = 40,
        Cancel = 41,
        // The e-invoice group.
        InvoiceVatId = 50,
        BuyerReference = 51,
        InvoiceMail = 52,
        InvoiceCountry = 53,
        InvoiceForm = 54,
    };

    CustomerForm(AppContext &app, Kind kind);
    ~CustomerForm() override;

    void FillNewRecord() override;
    int PrepareRequest() override;
    int RunProcedure(int number, int request) override;
    int OnAccepted() override;
    int OnCompleted() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;
    Companion CompanionRecord() override;

private:
    void defineOrders(FormBuilder &rows);
    void defineEInvoice(FormBuilder &rows);

    Kind m_kind;
    // The e-invoice data as read (or defaulted) when the form opened, and the version of
    // the stored record then; none when the customer had no record.
    RecordBuffer m_invoiceRead{FileId::kundeer};
    std::optional<std::int64_t> m_invoiceVersion;
    std::unique_ptr<View> m_orderView;
    BrowseManager m_orders;
};
