#pragma once

// What a report walks: its records one after the other, and how far it has come. The walk over
// a view plugs in here; so does any other sequence of records a report prints.
class RecordSource
{
public:
    virtual ~RecordSource() = default;

    // Starts the walk again and reads the first record; false when there is none.
    virtual bool first() = 0;
    // Reads the next record; false at the end or on a read error.
    virtual bool next() = 0;
    // Set when the last read failed rather than reached the end.
    virtual bool failed() const { return false; }
    // How much of the walk is done, 0 to 100.
    virtual int percent() const = 0;
};
