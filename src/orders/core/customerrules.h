#pragma once

#include <string>

class Records;

// The customer form's rules: the name a customer cannot do without and the delivery
// address that defaults to the customer's own.
namespace orders {

// A name of blanks only counts as none.
bool customerNameMissing(const Records &records);
// Each blank delivery field takes the matching address field; filled ones stay.
void fillDeliveryAddress(Records &records);
// All five address fields into the delivery fields, overwriting them.
void copyAddressToDelivery(Records &records);

// What goes with a customer that is deleted, for the question before: "Mit dem Kunden
// „Druckerei Nord“ werden auch 3 Aufträge gelöscht, davon 1 mit Rechnungsnummer …". Empty
// for a customer without orders.
std::string deletedWithCustomer(const std::string &name, int orders, int invoiced);

} // namespace orders
