#include "orders/core/customerrules.h"

#include "base/text.h"
#include "store/files/kunde.h"
#include "store/recordbuffer.h"

namespace orders {
namespace {

struct AddressPair
{
    StringField address;
    StringField delivery;
};

constexpr AddressPair kAddress[] = {
    {KUN::KNAME, KUN::LNAME},
    {KUN::KZHAND, KUN::LZHAND},
    {KUN::KSTR, KUN::LSTR},
    {KUN::KPLZ, KUN::LPLZ},
    {KUN::KORT, KUN::LORT},
};

} // namespace

bool customerNameMissing(const Records &records)
{
    return rt::isBlank(records.get(KUN::KNAME));
}

void fillDeliveryAddress(Records &records)
{
    for (const AddressPair &pair : kAddress) {
        if (rt::isBlank(records.get(pair.delivery)))
            records.set(pair.delivery, records.get(pair.address));
    }
}

void copyAddressToDelivery(Records &records)
{
    for (const AddressPair &pair : kAddress)
        records.set(pair.delivery, records.get(pair.address));
}

std::string deletedWithCustomer(const std::string &name, int orders, int invoiced)
{
    if (orders <= 0)
        return {};
    const bool one = orders == 1;
    std::string text = "Mit dem Kunden „" + std::string(rt::trimmed(name))
                       + (one ? "“ wird auch " : "“ werden auch ") + std::to_string(orders)
                       + (one ? " Auftrag" : " Aufträge") + " gelöscht";
    if (invoiced > 0)
        text += ", davon " + std::to_string(invoiced) + " mit Rechnungsnummer";
    return text + " (mit allen Kalkulationen und Zusatzkosten).";
}

} // namespace orders
