#pragma once

#include <string_view>

// The rows of the sample catalogue, as a print shop would type them into the catalogue forms.
// Derived values (machine average speed and factors) are not here: the machine form's rules
// compute them when the rows are written.
namespace sampledata {

struct SupplierRow
{
    std::string_view name, attention, street, postcode, town;
    std::string_view phone, fax, mobile, email, web;
};

struct MachineRow
{
    std::string_view name;
    std::string_view format; // "A0" … "A4"
    double length = 0;       // mm; 0 keeps the format's own size
    double width = 0;
    double colours = 1;
    double fastest = 0; // prints per hour
    double slowest = 0;
    double pricePerPrint = 0;
    double colourChangePrice = 0;
    double colourChangeMinutes = 0;
    double setUpMinutes = 0;
};

struct PaperRow
{
    std::string_view name, unit;
    double perUnit = 0; // sheets per packing unit
    double price = 0;   // selling price of one packing unit
    double length = 0, width = 0;
    std::string_view format, weight;
    int supplier = -1; // index into sampleSuppliers(), -1 = none
    double purchasePrice = 0;
    int secondSupplier = -1;
    double secondPurchasePrice = 0;
};

// Typesetting and prepress (`satz`), additional work (`arbeit`) and transport share a shape:
// a unique name, a price per unit, a factor and (additional work only) the minutes needed.
struct ServiceRow
{
    std::string_view name, unit;
    double price = 0;
    double factor = 1;
    double minutes = 0;
};

struct TextRow
{
    std::string_view kind; // "EL", "ZA", "IN"
    std::string_view shortName, line1, line2;
    double skontoPercent = 0, skontoDays = 0, paymentDays = 0;
};

// A text left out of a row is empty.
struct CustomerRow
{
    std::string_view name{}, attention{}, street{}, postcode{}, town{};
    double discountPercent = 0;
    std::string_view phone{}, fax{}, mobile{}, email{}, web{};
    std::string_view deliveryName{}, deliveryAttention{}, deliveryStreet{}, deliveryPostcode{},
        deliveryTown{};
    std::string_view contact{}, contactPhone{}, contactMobile{}, contactFax{}, contactEmail{};
    int contactBirthYear = 0, contactBirthMonth = 0, contactBirthDay = 0;
};

inline constexpr SupplierRow kSuppliers[] = {
    {"Papiergroßhandel Berger GmbH",
     "Herr Thomas Berger",
     "Hafenstraße 18",
     "70327",
     "Stuttgart",
     "0711 4823-0",
     "0711 4823-99",
     "0171 5550182",
     "vertrieb@berger-papier.example",
     "www.berger-papier.example"},
    {"Lorenz Druckbedarf KG",
     "Frau Sabine Lorenz",
     "Gewerbepark 4",
     "76185",
     "Karlsruhe",
     "0721 956130",
     "0721 956139",
     "",
     "info@lorenz-druckbedarf.example",
     "www.lorenz-druckbedarf.example"},
};

inline constexpr MachineRow kMachines[] = {
    // A B2 press: the A2 button, then the larger sheet typed over it.
    {.name = "Offset 4-farbig 70x50",
     .format = "A2",
     .length = 700,
     .width = 500,
     .colours = 4,
     .fastest = 13000,
     .slowest = 6000,
     .pricePerPrint = 0.0450,
     .colourChangePrice = 38.00,
     .colourChangeMinutes = 25,
     .setUpMinutes = 15},
    {.name = "Offset 5-farbig A1",
     .format = "A1",
     .colours = 5,
     .fastest = 15000,
     .slowest = 7000,
     .pricePerPrint = 0.0620,
     .colourChangePrice = 52.00,
     .colourChangeMinutes = 30,
     .setUpMinutes = 20},
    {.name = "Offset 2-farbig A3",
     .format = "A3",
     .colours = 2,
     .fastest = 10000,
     .slowest = 4000,
     .pricePerPrint = 0.0180,
     .colourChangePrice = 18.00,
     .colourChangeMinutes = 15,
     .setUpMinutes = 10},
    {.name = "Offset 1-farbig A4",
     .format = "A4",
     .colours = 1,
     .fastest = 8000,
     .slowest = 3000,
     .pricePerPrint = 0.0090,
     .colourChangePrice = 9.50,
     .colourChangeMinutes = 10,
     .setUpMinutes = 8},
};

inline constexpr PaperRow kPapers[] = {
    {"Bilderdruck glänzend 135 g/m²",
     "Paket",
     250,
     42.80,
     1000,
     700,
     "70x100",
     "135 g/m²",
     0,
     31.20,
     1,
     32.10},
    {"Bilderdruck matt 170 g/m²",
     "Paket",
     250,
     55.90,
     1000,
     700,
     "70x100",
     "170 g/m²",
     0,
     40.60,
     -1,
     0},
    {"Offset weiß 80 g/m²", "Ries", 500, 19.90, 700, 500, "50x70", "80 g/m²", 0, 13.80, 1, 14.20},
    {"Offset weiß 120 g/m²", "Ries", 500, 29.50, 700, 500, "50x70", "120 g/m²", 1, 21.40, -1, 0},
    {"Recycling weiß 90 g/m²", "Ries", 500, 23.40, 700, 500, "50x70", "90 g/m²", 1, 16.90, -1, 0},
    {"Karton weiß 300 g/m²", "Paket", 100, 38.60, 1000, 700, "70x100", "300 g/m²", 0, 27.50, -1, 0},
    {"Naturpapier chamois 100 g/m²",
     "Ries",
     500,
     27.80,
     700,
     500,
     "50x70",
     "100 g/m²",
     1,
     20.10,
     -1,
     0},
};

inline constexpr ServiceRow kTypesetting[] = {
    {"Satz nach Vorlage", "je Seite", 45.00, 1, 0},
    {"Gestaltung und Layout", "je Std.", 65.00, 1, 0},
    {"Bildbearbeitung", "je Bild", 12.50, 1, 0},
    {"Datenprüfung (Preflight)", "pauschal", 15.00, 1, 0},
    {"Digitalproof", "je Seite", 9.50, 1, 0},
    {"Druckplatte belichten (CtP)", "je Platte", 18.00, 1, 0},
};

inline constexpr ServiceRow kWork[] = {
    {"Schneiden", "je 1000 Stck", 8.50, 1, 15},
    {"Falzen", "je 1000 Stck", 12.00, 1, 25},
    {"Rillen", "je 1000 Stck", 14.00, 1, 30},
    {"Bohren", "je 1000 Stck", 6.50, 1, 15},
    {"Heften (Rückendraht)", "je 100 Stck", 18.00, 1.2, 40},
    {"Perforieren", "je 1000 Stck", 11.00, 1, 20},
};

inline constexpr ServiceRow kTransport[] = {
    {"Lieferung im Stadtgebiet", "je Fahrt", 15.00, 1, 0},
    {"Paketversand", "je Paket", 8.90, 1, 0},
    {"Spedition", "je Palette", 65.00, 1, 0},
};

inline constexpr TextRow kTexts[] = {
    {"EL",
     "Angebot Standard",
     "wir danken für Ihre Anfrage und bieten Ihnen freibleibend an:",
     "Lieferzeit: ca. 8 Arbeitstage nach Eingang der Druckfreigabe.",
     0,
     0,
     0},
    {"EL",
     "Angebot nach Besprechung",
     "wie besprochen unterbreiten wir Ihnen folgendes Angebot:",
     "Wir freuen uns auf Ihren Auftrag.",
     0,
     0,
     0},
    {"ZA",
     "2 % Skonto 10 Tage, netto 30",
     "Zahlbar innerhalb von 30 Tagen ohne Abzug.",
     "Sparkasse Musterstadt, IBAN DE89 3704 0044 0532 0130 00",
     2,
     10,
     30},
    {"ZA",
     "netto 14 Tage",
     "Zahlbar innerhalb von 14 Tagen ohne Abzug.",
     "Sparkasse Musterstadt, IBAN DE89 3704 0044 0532 0130 00",
     0,
     0,
     14},
    {"IN",
     "Digitaldruck",
     "Neu bei uns: Digitaldruck für Kleinauflagen ab einem Stück.",
     "Fragen Sie nach unseren Preisen!",
     0,
     0,
     0},
    {"IN",
     "Betriebsferien",
     "In der ersten Augusthälfte bleibt unser Betrieb geschlossen.",
     "Bitte planen Sie Ihre Aufträge rechtzeitig.",
     0,
     0,
     0},
};

inline constexpr CustomerRow kCustomer = {
    .name = "Weingut Keller & Söhne",
    .attention = "Frau Maria Keller",
    .street = "Weinstraße 42",
    .postcode = "67146",
    .town = "Deidesheim",
    .discountPercent = 3,
    .phone = "06326 98120",
    .fax = "06326 981229",
    .mobile = "0160 5550147",
    .email = "info@weingut-keller.example",
    .web = "www.weingut-keller.example",
    .deliveryName = "Weingut Keller & Söhne, Versand",
    .deliveryAttention = "Herr Jonas Keller",
    .deliveryStreet = "Im Gewerbegebiet 7",
    .deliveryPostcode = "67146",
    .deliveryTown = "Deidesheim",
    .contact = "Maria Keller",
    .contactPhone = "06326 981211",
    .contactMobile = "0160 5550147",
    .contactFax = "06326 981229",
    .contactEmail = "m.keller@weingut-keller.example",
    .contactBirthYear = 1972,
    .contactBirthMonth = 5,
    .contactBirthDay = 14,
};

// The shop itself, as its documents and e-invoices name it. The IBAN's check digits are
// right for its bank code and account; the VAT id has the German form.
struct CompanyRow
{
    std::string_view name, street, postcode, town, country, vatId, taxNumber, registerCourt,
        registerNumber, managingDirector, iban, bic, bank, contact, phone, email, electronicAddress;
    double vatPercent = 19;
};

inline constexpr CompanyRow kCompany = {
    .name = "Druckerei Sonnenschein GmbH",
    .street = "Rheinhafenstraße 12",
    .postcode = "76189",
    .town = "Karlsruhe",
    .country = "DE",
    .vatId = "DE287654321",
    .taxNumber = "35001/23456",
    .registerCourt = "Amtsgericht Mannheim",
    .registerNumber = "HRB 712345",
    .managingDirector = "Petra Sonnenschein",
    .iban = "DE20 6605 0101 0012 3456 78",
    .bic = "KARSDE66XXX",
    .bank = "Sparkasse Karlsruhe",
    .contact = "Petra Sonnenschein",
    .phone = "0721 9561-0",
    .email = "info@druckerei-sonnenschein.example",
    .electronicAddress = "rechnung@druckerei-sonnenschein.example",
    .vatPercent = 19,
};

// A customer who takes e-invoices, with the one order of theirs that has been invoiced.
struct EInvoiceCustomerRow
{
    CustomerRow customer;
    std::string_view vatId{}, buyerReference{}, invoiceEmail{}, country{};
    std::int32_t form; // KER:KEFORM
    // The order: its numbers, the one print calculation and the payment terms.
    std::string_view orderNumber, invoiceNumber, subject, calculation;
    int invoiceYear, invoiceMonth, invoiceDay;
    double run, printPrice, paperPrice, typesettingPrice;
    double skontoPercent, skontoDays, paymentDays;
    std::string_view paymentText;
};

inline constexpr EInvoiceCustomerRow kEInvoiceCustomers[] = {
    {.customer = {.name = "Bäckerei Brot & Zeit GmbH",
                  .attention = "Herr Lukas Brenner",
                  .street = "Marktplatz 3",
                  .postcode = "76133",
                  .town = "Karlsruhe",
                  .discountPercent = 2,
                  .phone = "0721 382910",
                  .email = "info@brot-und-zeit.example",
                  .contact = "Lukas Brenner",
                  .contactEmail = "l.brenner@brot-und-zeit.example"},
     .vatId = "DE198765432",
     .invoiceEmail = "buchhaltung@brot-und-zeit.example",
     .country = "DE",
     .form = 1,
     .orderNumber = "2026-0417",
     .invoiceNumber = "R-2026-0211",
     .subject = "Flyer Frühjahrsaktion",
     .calculation = "Flyer DIN A5, 4/4-farbig",
     .invoiceYear = 2026,
     .invoiceMonth = 11,
     .invoiceDay = 20,
     .run = 5000,
     .printPrice = 186.40,
     .paperPrice = 63.75,
     .typesettingPrice = 45.00,
     .skontoPercent = 2,
     .skontoDays = 10,
     .paymentDays = 30,
     .paymentText = "Zahlbar in 30 Tagen, bei Zahlung binnen 10 Tagen mit 2 % Skonto."},
    {.customer = {.name = "Stadt Bruchsal, Amt für Kultur",
                  .attention = "Frau Dr. Ulrike Hahn",
                  .street = "Kaiserstraße 66",
                  .postcode = "76646",
                  .town = "Bruchsal",
                  .discountPercent = 0,
                  .phone = "07251 79-0",
                  .email = "kultur@bruchsal.example",
                  .contact = "Ulrike Hahn",
                  .contactEmail = "u.hahn@bruchsal.example"},
     .buyerReference = "991-33333TEST-33",
     .invoiceEmail = "e-rechnung@bruchsal.example",
     .country = "DE",
     .form = 2,
     .orderNumber = "2026-0423",
     .invoiceNumber = "R-2026-0214",
     .subject = "Programmheft Kultursommer",
     .calculation = "Programmheft DIN A5, 16 Seiten",
     .invoiceYear = 2026,
     .invoiceMonth = 11,
     .invoiceDay = 27,
     .run = 1500,
     .printPrice = 412.80,
     .paperPrice = 128.35,
     .typesettingPrice = 160.00,
     .skontoPercent = 0,
     .skontoDays = 0,
     .paymentDays = 30,
     .paymentText = "Zahlbar innerhalb von 30 Tagen ohne Abzug."},
};

} // namespace sampledata
