#include "orders/core/documentnumbers.h"

#include "base/idbuilder.h"
#include "base/text.h"
#include "store/files/auftrag.h"
#include "store/files/stamm.h"
#include "store/recordbuffer.h"

#include <tuple>

namespace orders {
namespace {

struct OrderFields
{
    DateField date;
    DateField printed;
    LongField time;
    StringField number;
};

OrderFields orderFields(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Quote:
        return {AUF::FANDAT, AUF::FANGDRU, AUF::FANZEIT, AUF::FANNR};
    case DocumentKind::DeliveryNote:
        return {AUF::FLIEFDAT, AUF::FLIEDRU, AUF::FLIEZEIT, AUF::FLIEFNR};
    case DocumentKind::Invoice:
        break;
    }
    return {AUF::FREDAT, AUF::FRECDRU, AUF::FRECZEIT, AUF::FRENR};
}

struct StammFields
{
    DateField date;
    LongField time;
    StringField number;
};

StammFields stammFields(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Quote:
        return {STA::ANGDAT, STA::ANGZEIT, STA::ANG};
    case DocumentKind::DeliveryNote:
        return {STA::LIEDAT, STA::LIEZEIT, STA::LIE};
    case DocumentKind::Invoice:
        break;
    }
    return {STA::RECDAT, STA::RECZEIT, STA::REC};
}

} // namespace

std::string_view statusWord(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Quote:
        return "ANGEBOT";
    case DocumentKind::DeliveryNote:
        return "LIEFERSCHEIN";
    case DocumentKind::Invoice:
        break;
    }
    return "RECHNUNG";
}

std::optional<DocumentKind> statusKind(std::string_view status)
{
    const std::string upper = rt::upperUtf8(rt::clip(status));
    for (DocumentKind kind : kDocumentKinds) {
        if (upper == statusWord(kind))
            return kind;
    }
    return std::nullopt;
}

DocumentStamp orderStamp(const RecordBuffer &order, DocumentKind kind)
{
    const OrderFields f = orderFields(kind);
    return {order.get(f.date), order.get(f.time), order.get(f.number)};
}

DocumentStamp lastStamp(const RecordBuffer &stamm, DocumentKind kind)
{
    const StammFields f = stammFields(kind);
    return {stamm.get(f.date), stamm.get(f.time), stamm.get(f.number)};
}

bool replacesLastNumber(const DocumentStamp &order, const DocumentStamp &last)
{
    return std::tie(order.date, order.time) >= std::tie(last.date, last.time);
}

bool takeLastNumbers(RecordBuffer &stamm, const RecordBuffer &order)
{
    bool changed = false;
    for (DocumentKind kind : kDocumentKinds) {
        const DocumentStamp mine = orderStamp(order, kind);
        const DocumentStamp last = lastStamp(stamm, kind);
        if (!replacesLastNumber(mine, last))
            continue;
        const StammFields f = stammFields(kind);
        stamm.set(f.date, mine.date);
        stamm.set(f.number, mine.number);
        stamm.set(f.time, mine.time);
        changed = changed || mine.date != last.date || mine.time != last.time
                  || mine.number != last.number;
    }
    return changed;
}

void setPrinted(RecordBuffer &order, DocumentKind kind, rt::StdDate date, rt::StdTime time)
{
    const OrderFields f = orderFields(kind);
    order.set(f.printed, date);
    order.set(f.time, time);
}

void statusFromPrintedDates(RecordBuffer &order)
{
    for (DocumentKind kind : kDocumentKinds) {
        if (order.get(orderFields(kind).printed) != 0)
            order.set(AUF::FSTAT, statusWord(kind));
    }
}

std::string nextDocumentNumber(std::string_view last, std::size_t width)
{
    std::string number(rt::trimmed(last));
    const auto isDigit = [](char c) {
        return c >= '0' && c <= '9';
    };
    std::size_t end = number.size();
    while (end > 0 && !isDigit(number[end - 1]))
        --end;
    if (end == 0) {
        number += '1';
    } else {
        // Counted up from the right; a carry out of the run widens it ("99" → "100").
        std::size_t at = end;
        for (;;) {
            if (at == 0 || !isDigit(number[at - 1])) {
                number.insert(at, 1, '1');
                break;
            }
            char &digit = number[at - 1];
            if (digit != '9') {
                ++digit;
                break;
            }
            digit = '0';
            --at;
        }
    }
    return number.size() <= width ? number : std::string();
}

StringField documentNumberField(DocumentKind kind)
{
    return orderFields(kind).number;
}

bool fillDocumentDate(RecordBuffer &order, DocumentKind kind, rt::StdDate today)
{
    const DateField date = orderFields(kind).date;
    if (order.get(date) != 0)
        return false;
    order.set(date, today);
    return true;
}

std::string generatedOrderNumber(rt::StdDate date, rt::StdTime time)
{
    return rt::IdBuilder::compose("", date, time, AUF::FNR.size);
}

} // namespace orders

namespace orders {

std::vector<std::string> missingInvoiceData(const RecordBuffer &order)
{
    std::vector<std::string> missing;
    if (rt::isBlank(order.get(AUF::FRENR)))
        missing.emplace_back("Rechnungsnummer");
    if (order.get(AUF::FREDAT) == 0)
        missing.emplace_back("Rechnungsdatum");
    if (order.get(AUF::FLIEFDAT) == 0)
        missing.emplace_back("Lieferdatum");
    return missing;
}

} // namespace orders
