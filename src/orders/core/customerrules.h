#pragma once

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

} // namespace orders
