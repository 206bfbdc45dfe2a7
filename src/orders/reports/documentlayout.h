#pragma once

#include "documentreports.h"
#include "documentvalues.h"

#include "framework/report/band.h"
#include "store/layout.h"

#include <QStringList>

#include <initializer_list>
#include <utility>
#include <vector>

class RecordBuffer;

namespace einvoice {
struct Invoice;
struct InvoiceLine;
} // namespace einvoice

namespace orders {

struct DocumentData;

// How the positions of a document are shown.
enum class PositionStyle {
    Full,       // calculation and paper line with their prices, typesetting lines
    Standard,   // calculation columns and paper name, position price with its note
    ShortQuote, // as Standard, without the note, total run headed "Gesamtaufl."
    Minimal,    // description, total quantity, position price
};

// What sets the six documents apart.
struct DocumentProfile
{
    DocumentReport report;
    DocumentKind kind;
    const char *sentenceBefore; // invoices: before and after the delivery date
    const char *sentenceAfter;
    PositionStyle positions;
    bool perKindSums; // colour change, print, paper, typesetting, plates
    bool netTotal;    // "Gesamt:"
    bool extrasOnce;  // additional work and transport as "zzgl. einmalig" lines
    bool skonto;
};

const DocumentProfile &documentProfile(DocumentReport report);

// Positions on the page in millimetres from its left edge. The left margin and the address
// field follow DIN 5008 form B, so that a window envelope shows the address; the top 45 mm
// stay free for the shop's letterhead.
namespace col {
inline constexpr double Left = 25;
inline constexpr double Right = 190;
inline constexpr double InfoLabel = 125;
inline constexpr double InfoValue = 158;
// Right edges of the position columns.
inline constexpr double Colours = 94;
inline constexpr double Sorts = 116;
inline constexpr double PerSort = 139;
inline constexpr double TotalRun = 162;
inline constexpr double Price = 180;
// The paper line's heading "Anzahl … pro Einheit" starts here.
inline constexpr double PaperCount = 98;
// The order sums: a prefix, the caption, a value outside the sum, the amount and "EUR".
inline constexpr double SumPrefix = 70;
inline constexpr double SumCaption = 88;
inline constexpr double SumAside = 150;
inline constexpr double Currency = 182;
} // namespace col

class DocumentLayout
{
public:
    // Every amount comes from the invoice; the order and its lines give the texts.
    DocumentLayout(const DocumentProfile &profile,
                   const DocumentData &data,
                   const einvoice::Invoice &invoice);

    bool showsTypesetting() const { return m_profile.positions == PositionStyle::Full; }

    report::Band pageHeader(int page) const;
    // A calculation and the invoice line made of it.
    report::Band calculationHeader(const RecordBuffer &kaldruck,
                                   const einvoice::InvoiceLine &line) const;
    // The calculation's `index`-th typesetting line.
    report::Band
    detail(const RecordBuffer &asatz, const einvoice::InvoiceLine &line, std::size_t index) const;
    report::Band calculationFooter(const einvoice::InvoiceLine &line) const;
    report::Band orderFooter() const;
    // The shop's letterhead: the foot of every page, when the data asks for it.
    bool printsLetterhead() const;
    report::Band pageFooter(int page) const;

private:
    // A cancellation of an issued invoice, printed as the credit note its e-invoice is.
    bool cancels() const;
    report::Band deliveryFooter() const;
    void addressAndInfo(report::Band &band, int page) const;
    void letterhead(report::Band &band) const;
    void opening(report::Band &band) const;
    double columnHeadings(report::Band &band, double top) const;

    const DocumentProfile &m_profile;
    const DocumentData &m_data;
    const einvoice::Invoice &m_invoice;
    DocumentValues m_values;
};

// The second heading row of the full documents, and where its two words put the paper
// quantity (right edge) and the unit (left edge) below them.
QString paperHeading();
double paperCountRight();
double paperUnitLeft();

// The fonts of the documents.
report::Font documentFont(double pointSize = 9, bool bold = false, bool italic = false);

// A text field of a record as the documents print it.
QString text(const RecordBuffer &record, StringField field);
// The pieces that hold more than blanks, trimmed, in their order.
QStringList nonBlank(std::initializer_list<QString> pieces);
// Pieces of one sentence, one blank between them, none for a piece that is empty.
QString joined(std::initializer_list<QString> pieces);
// The address in the window envelope's field (blank lines left out) and the information
// block beside it, at the places every document of the shop has them.
void addressAndInfoBlock(report::Band &band,
                         const QStringList &address,
                         const std::vector<std::pair<QString, QString>> &info);

// A figure right-aligned at `right` that takes at most `room` millimetres to its left: one
// too wide for its column (a total of 99.999.999,99) prints smaller rather than running into
// the column beside it.
void figure(report::Band &band,
            double right,
            double y,
            const QString &text,
            const report::Font &font,
            double room);

} // namespace orders
