#pragma once

#include "base/stddate.h"
#include "store/layout.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A field's value in the program's own terms: LONG and DATE as integers (a DATE as a
// standard date), REAL and DECIMAL as doubles, STRING as UTF-8 without trailing blanks.
using FieldValue = std::variant<std::int32_t, double, std::string>;

// The current record of one file: exactly the record layout, field after field without
// padding. Texts are Windows-1252 inside; every accessor speaks UTF-8.
class RecordBuffer
{
public:
    explicit RecordBuffer(FileId file);

    FileId file() const { return m_file; }
    const FileDef &def() const { return fileDef(m_file); }
    std::size_t size() const { return m_bytes.size(); }
    char *data() { return m_bytes.data(); }
    const char *data() const { return m_bytes.data(); }

    // Every STRING to blanks, every number and DATE to zero.
    void clear();

    std::int32_t get(LongField f) const;
    double get(RealField f) const;
    std::string get(StringField f) const;
    rt::StdDate get(DateField f) const;
    double get(DecimalField f) const;

    void set(LongField f, std::int32_t value);
    void set(RealField f, double value);
    // Cut to the field width when longer, padded with blanks when shorter.
    void set(StringField f, std::string_view utf8);
    void set(DateField f, rt::StdDate value);
    // DECIMAL(5,2) holds -999.99 … 999.99; a value outside is refused (false) and the field
    // keeps its value. The value is rounded to two places.
    bool set(DecimalField f, double value);

    // The raw Windows-1252 bytes of a text field, padding included.
    std::string_view raw(StringField f) const;

    // By field index, for code that binds fields generically (lists, forms, filters).
    FieldValue value(int field) const;
    // False when the value does not fit the field (DECIMAL out of range, wrong kind).
    bool setValue(int field, const FieldValue &value);
    // The field's value as display text (numbers in C locale, dates as "dd.mm.yyyy").
    std::string text(int field) const;

    bool operator==(const RecordBuffer &other) const
    {
        return m_file == other.m_file && m_bytes == other.m_bytes;
    }

private:
    FileId m_file;
    std::vector<char> m_bytes;
};

// DECIMAL(5,2) as three bytes of packed decimal: five digits of hundredths, then the sign
// nibble (0xC positive, 0xD negative).
bool packDecimal52(double value, unsigned char *out3);
double unpackDecimal52(const unsigned char *in3);

// One record buffer per file: the buffers one procedure thread works with.
class Records
{
public:
    Records();

    RecordBuffer &operator[](FileId file) { return m_buffers[static_cast<std::size_t>(file)]; }
    const RecordBuffer &operator[](FileId file) const
    {
        return m_buffers[static_cast<std::size_t>(file)];
    }

    template<FieldType T>
    auto get(Field<T> f) const
    {
        return (*this)[f.file].get(f);
    }
    template<FieldType T, typename V>
    auto set(Field<T> f, V &&value)
    {
        return (*this)[f.file].set(f, std::forward<V>(value));
    }

    void clearAll();

private:
    std::vector<RecordBuffer> m_buffers;
};
