#pragma once

#include "framework/browse/browsemanager.h"
#include "framework/core/stepmanager.h"
#include "framework/filedrop.h"
#include "framework/procedurecontroller.h"
#include "orders/core/orderrules.h"
#include "orders/core/orderworkingtotals.h"

#include <QString>

#include <memory>
#include <string>

// The order form: an order's header, document dates and numbers, status, its lines in three
// lists, the text blocks, the totals and the print buttons. The same class is the detailed
// printing form, which shows the order without its lines and prints the fullest documents.
//
// The running totals belong to the procedure thread the form runs on, so the line forms it
// calls (on the same thread) adjust the same values.
class OrderForm : public ProcedureController
{
public:
    enum class Kind {
        Main,     // Updateauftrag
        Detailed, // Upddruauftrag
    };

    // Control numbers.
    enum Control : int {
        OrderNumber = 1,
        ShortText = 2,
        CreatedOn = 3,
        InternalNumber = 4,
        CustomerName = 5,
        CustomerStreet = 6,
        CustomerPostcode = 7,
        CustomerPlace = 8,
        Status = 10,
        QuoteDate = 11,
        QuoteNumber = 12,
        QuotePrinted = 13,
        QuoteTime = 14,
        DeliveryDate = 15,
        DeliveryNumber = 16,
        DeliveryPrinted = 17,
        DeliveryTime = 18,
        InvoiceDate = 19,
        InvoiceNumber = 20,
        InvoicePrinted = 21,
        InvoiceTime = 22,
        LastNumbers = 25,
        LastQuote = 26,
        LastQuoteDate = 27,
        LastDelivery = 28,
        LastDeliveryDate = 29,
        LastInvoice = 30,
        LastInvoiceDate = 31,
        Pages = 40,
        CalculationPage = 41,
        ExtrasPage = 42,
        TextPage = 43,
        Calculations = 50,
        CalculationInsert = 51,
        CalculationChange = 52,
        CalculationDelete = 53,
        Extras = 55,
        ExtrasInsert = 56,
        ExtrasChange = 57,
        ExtrasDelete = 58,
        Transports = 60,
        TransportInsert = 61,
        TransportChange = 62,
        TransportDelete = 63,
        ExtrasTotal = 64,
        ExtrasText = 65,
        TransportTotal = 66,
        QuoteTextGroup = 70,
        QuoteTextPick = 71,
        QuoteText1 = 72,
        QuoteText2 = 73,
        PaymentGroup = 75,
        PaymentPick = 76,
        InvoiceText1 = 77,
        InvoiceText2 = 78,
        SkontoPercent = 79,
        SkontoDays = 80,
        PaymentDays = 81,
        InfoGroup = 83,
        InfoPick = 84,
        InfoText1 = 85,
        InfoText2 = 86,
        PrintTotal = 90,
        ColourChangeTotal = 91,
        PaperTotal = 92,
        TypesettingTotal = 93,
        SheetsTotal = 94,
        PrintHours = 95,
        PrintMinutes = 96,
        NetLabel = 97,
        Net = 98,
        DiscountPercent = 99,
        RecalculateDiscount = 100,
        Discounted = 101,
        VatPercent = 102,
        Vat = 103,
        GrossLabel = 104,
        Gross = 105,
        ClosingLine = 106,
        SkontoLine = 108,
        SkontoDate = 109,
        SkontoLinePercent = 110,
        CashDiscounted = 111,
        DiscountNotice = 112,
        Copies = 115,
        PrintStandard = 116,
        PrintMinimal = 117,
        PrintDetail = 118,
        PrintFullDetail = 119,
        Ok = 120,
        Cancel = 121,
        SaveXRechnung = 122,
        SaveZugferd = 123,
        CancelInvoice = 124,
        LockNote = 125,
        EnterPayment = 126,
    };

    OrderForm(AppContext &app, Kind kind);
    ~OrderForm() override;

    void FillNewRecord() override;
    int Run() override;
    int RunProcedure(int number, int request) override;
    int OnAccepted() override;
    int OnCompleted() override;
    int OnNewSelection() override;
    int OnRejected() override;
    int OnSelected() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    // Window parts (orderformwindow.cpp).
    void defineHeader(FormBuilder &rows);
    void defineDocuments(FormBuilder &rows);
    void defineTotals(FormBuilder &rows);
    void defineSkontoLine(FormBuilder &rows);
    void definePages(FormBuilder &rows);
    void defineTextPage(FormBuilder &page);
    void definePrinting(FormBuilder &rows);
    void setUpLists();
    void setUpTextDrops();

    // The opening steps: the order's id for the reports, the last numbers, the customer's
    // address, the discount, the totals summed from the lines, the labels.
    void openOrder();
    void showLastNumbers();
    void applyStatusLabels(bool opening);
    void showTextGroups();
    void chooseStatus();
    void switchPages();
    void printDocument(orders::PrintButton button);
    // The e-invoice buttons work on an invoice only.
    void enableEInvoiceButtons();
    void saveEInvoice(const char *procedure);
    bool writeOrder();
    // While the order's invoice stands (orderformlock.cpp): what made the invoice is shown,
    // not editable, with the note why; "Stornieren" cancels it and opens the order again.
    void applyInvoiceLock();
    bool invoiceLocked() const { return !m_lockNote.isEmpty(); }
    // A line form asked for while the invoice stands: the user is told why not.
    bool refuseLockedChange();
    void cancelInvoice();
    // "Zahlung erfassen" on the order's issued invoice.
    void enterPayment();
    // Whether another order carries the invoice number; the user is told which one.
    bool invoiceNumberTaken();
    // Before the window manager writes the order on OK.
    void prepareSave();
    void resetPrintList();
    void lineFormReturned(int list, int request, int response);
    std::string selectedExtrasText() const;

    orders::OrderWorkingTotals &totals() const;
    // Shows the working values again, with the form's copies of them.
    void showValues();
    bool isMain() const { return m_kind == Kind::Main; }

    Kind m_kind;
    std::string m_orderId;
    bool m_linesChanged = false;

    // Form-local values shown by the window.
    std::int32_t m_copies = 2;
    double m_vatPercent = 0;
    QString m_lastQuote, m_lastQuoteDate, m_lastDelivery, m_lastDeliveryDate, m_lastInvoice,
        m_lastInvoiceDate;
    QString m_discountNotice;
    QString m_lockNote;   // empty while no invoice stands
    QString m_extrasText; // the totals' summary text as shown

    std::unique_ptr<View> m_calculationView;
    std::unique_ptr<View> m_extrasView;
    std::unique_ptr<View> m_transportView;
    BrowseManager m_calculations;
    BrowseManager m_extras;
    BrowseManager m_transports;
    std::unique_ptr<FileDrop> m_quoteTexts;
    std::unique_ptr<FileDrop> m_paymentTerms;
    std::unique_ptr<FileDrop> m_infoTexts;
};
