#pragma once

#include "base/stddate.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// One invoice as the customer gets it, on paper and as structured data: the printed invoice
// and the e-invoice writers draw every amount from here, so that the two cannot disagree.
namespace einvoice {

// Amounts are whole cents: lines are rounded once, and every sum after that is exact.
using Cents = std::int64_t;
// Rounded to the cent in decimal arithmetic, halves away from zero (10.005 → 10.01).
Cents toCents(double euros);
double toEuros(Cents cents);

struct PostalAddress
{
    QString street;
    QString postcode;
    QString town;
    QString country = QStringLiteral("DE"); // ISO 3166-1 alpha-2
};

// The shop's own data, as kept under "Stammdaten → Firmendaten".
struct Seller
{
    QString name;
    PostalAddress address;
    QString vatId;     // USt-IdNr., "DE" + 9 digits
    QString taxNumber; // Steuernummer
    QString registerCourt;
    QString registerNumber; // "HRB 12345"
    QString managingDirector;
    QString iban;
    QString bic;
    QString bankName;
    QString contactName;
    QString phone;
    QString email;
    // Where e-invoices reach the shop; an e-mail address.
    QString electronicAddress;
    double vatPercent = 19;
};

enum class InvoiceForm { Paper, Zugferd, XRechnung };

// What the customer's e-invoice page holds beside the customer record itself.
struct BuyerEInvoiceData
{
    QString vatId;
    QString buyerReference; // Leitweg-ID of a public buyer, or the buyer's own reference
    QString email;          // where invoices go; also the buyer's electronic address
    QString country = QStringLiteral("DE");
    InvoiceForm preferredForm = InvoiceForm::Paper;
};

struct Buyer
{
    QString id; // customer number
    QString name;
    QString contact; // for the attention of
    PostalAddress address;
    BuyerEInvoiceData einvoice;
};

enum class LineKind {
    Calculation, // a print calculation with its paper and typesetting
    Paper,       // a paper line of the order outside any calculation
    Extras,      // the order's additional work, one line as the invoice shows it
    Transport,   // the order's transport, one line as the invoice shows it
};

// A name and value the e-invoice gives with an item ("Farben": "4").
struct ItemAttribute
{
    QString name;
    QString value;
};

struct InvoiceLine
{
    LineKind kind = LineKind::Calculation;
    QString name;
    QString description;
    double quantity = 1;
    QString unitCode = QStringLiteral("C62"); // H87 pieces, C62 one
    Cents amount = 0;                         // net, before the document's discount
    std::vector<ItemAttribute> attributes;

    // What the detailed documents show of a calculation: its print and paper price and
    // each typesetting line's price, in the calculation's order.
    Cents printPrice = 0;
    Cents paperPrice = 0;
    std::vector<Cents> typesetting;
};

// One VAT category and rate with its base and tax.
struct VatGroup
{
    QString category = QStringLiteral("S");
    double percent = 0;
    Cents basis = 0;
    Cents tax = 0;
};

struct Skonto
{
    double percent = 0;
    int days = 0;
    rt::StdDate date = 0;
    Cents base = 0;    // the amount the percentage is taken of
    Cents amount = 0;  // what may be deducted
    Cents payable = 0; // what is left to pay within the period
};

// The order's sums by kind, as the full-detail documents list them.
struct OrderSums
{
    Cents print = 0;
    Cents colourChange = 0; // part of the print price, shown aside
    Cents paper = 0;
    Cents typesetting = 0;
    double sheets = 0;
};

enum class DocumentType {
    Invoice = 380,
    CreditNote = 381,
};

struct Invoice
{
    DocumentType type = DocumentType::Invoice;
    QString number;
    rt::StdDate issueDate = 0;
    rt::StdDate deliveryDate = 0;
    QString orderNumber; // the shop's own order number
    QString subject;     // the order's short description
    QString currency = QStringLiteral("EUR");

    Seller seller;
    Buyer buyer;
    std::vector<InvoiceLine> lines;

    // The customer discount, taken off the sum of the lines.
    double discountPercent = 0;
    Cents discount = 0;

    Cents lineTotal = 0;  // sum of the lines
    Cents taxBasis = 0;   // lines less the discount
    Cents vatTotal = 0;   // sum of the groups' tax
    Cents grandTotal = 0; // tax basis plus VAT
    Cents duePayable = 0;
    std::vector<VatGroup> vat;

    rt::StdDate dueDate = 0;
    std::optional<Skonto> skonto;

    OrderSums orderSums;
    // The order's stored sums by kind differ from what its lines add up to: the order has
    // not been saved since a line changed.
    bool sumsBehindLines = false;

    QStringList notes; // payment and information texts of the order

    // A credit note names the invoice it cancels: its number and date.
    QString precedingInvoice;
    rt::StdDate precedingDate = 0;
};

enum class Profile {
    En16931,   // the EN 16931 profile, carried in a PDF/A-3
    XRechnung, // XRechnung 3.0 in CII syntax
};

// The attachment's name inside the PDF: "factur-x.xml", or "xrechnung.xml".
QString attachmentName(Profile profile);

} // namespace einvoice
