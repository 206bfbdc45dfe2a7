#pragma once

class RecordBuffer;

// Prices of the lines an order is charged for, each computed on the line's own buffer.
namespace costing {

// The paper price of a calculation (kaldruck) or a paper line (aufpap), on their eight paper
// fields. Quantity in pieces wins over quantity in packing units; with no pieces the units
// count and the pieces are cleared. Not rounded.
void PaperPrice(RecordBuffer &record);

// Quantity × price × factor of a typesetting (asatz), additional-work (anach) or transport
// (atran) line, stored as the line's total and returned. Not rounded.
double LineTotal(RecordBuffer &line);

} // namespace costing
