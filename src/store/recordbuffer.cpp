#include "store/recordbuffer.h"

#include "base/decimal.h"
#include "base/text.h"

#include <cassert>
#include <cmath>
#include <cstring>

namespace {

template<typename T>
T load(const char *p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template<typename T>
void store(char *p, T value)
{
    std::memcpy(p, &value, sizeof value);
}

std::string formatNumber(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

} // namespace

bool packDecimal52(double value, unsigned char *out3)
{
    const double rounded = rt::roundDecimal(value, 2);
    if (!std::isfinite(rounded) || std::fabs(rounded) > 999.99)
        return false;
    long hundredths = std::lround(std::fabs(rounded) * 100.0);
    int digits[5];
    for (int i = 4; i >= 0; --i) {
        digits[i] = static_cast<int>(hundredths % 10);
        hundredths /= 10;
    }
    const int sign = rounded < 0 ? 0xD : 0xC;
    out3[0] = static_cast<unsigned char>((digits[0] << 4) | digits[1]);
    out3[1] = static_cast<unsigned char>((digits[2] << 4) | digits[3]);
    out3[2] = static_cast<unsigned char>((digits[4] << 4) | sign);
    return true;
}

double unpackDecimal52(const unsigned char *in3)
{
    long hundredths = 0;
    const int nibbles[5] = {in3[0] >> 4, in3[0] & 0xF, in3[1] >> 4, in3[1] & 0xF, in3[2] >> 4};
    for (int n : nibbles)
        hundredths = hundredths * 10 + (n > 9 ? 0 : n);
    const double value = static_cast<double>(hundredths) / 100.0;
    return (in3[2] & 0xF) == 0xD ? -value : value;
}

RecordBuffer::RecordBuffer(FileId file)
    : m_file(file)
    , m_bytes(fileDef(file).recordSize)
{
    clear();
}

void RecordBuffer::clear()
{
    const FileDef &d = def();
    std::memset(m_bytes.data(), 0, m_bytes.size());
    for (int i = 0; i < d.fieldCount; ++i) {
        const FieldDef &f = d.fields[i];
        if (f.type == FieldType::String)
            std::memset(m_bytes.data() + f.offset, ' ', f.size);
        else if (f.type == FieldType::Decimal)
            packDecimal52(0.0, reinterpret_cast<unsigned char *>(m_bytes.data() + f.offset));
    }
}

std::int32_t RecordBuffer::get(LongField f) const
{
    assert(f.file == m_file);
    return load<std::int32_t>(m_bytes.data() + f.offset);
}

double RecordBuffer::get(RealField f) const
{
    assert(f.file == m_file);
    return load<double>(m_bytes.data() + f.offset);
}

std::string RecordBuffer::get(StringField f) const
{
    return rt::fromCp1252(rt::clip(raw(f)));
}

rt::StdDate RecordBuffer::get(DateField f) const
{
    assert(f.file == m_file);
    return rt::dateFromField(reinterpret_cast<const unsigned char *>(m_bytes.data() + f.offset));
}

double RecordBuffer::get(DecimalField f) const
{
    assert(f.file == m_file);
    return unpackDecimal52(reinterpret_cast<const unsigned char *>(m_bytes.data() + f.offset));
}

void RecordBuffer::set(LongField f, std::int32_t value)
{
    assert(f.file == m_file);
    store(m_bytes.data() + f.offset, value);
}

void RecordBuffer::set(RealField f, double value)
{
    assert(f.file == m_file);
    store(m_bytes.data() + f.offset, value);
}

void RecordBuffer::set(StringField f, std::string_view utf8)
{
    assert(f.file == m_file);
    rt::assignFixed(m_bytes.data() + f.offset, f.size, rt::toCp1252(utf8));
}

void RecordBuffer::set(DateField f, rt::StdDate value)
{
    assert(f.file == m_file);
    rt::dateToField(value, reinterpret_cast<unsigned char *>(m_bytes.data() + f.offset));
}

bool RecordBuffer::set(DecimalField f, double value)
{
    assert(f.file == m_file);
    unsigned char packed[3];
    if (!packDecimal52(value, packed))
        return false;
    std::memcpy(m_bytes.data() + f.offset, packed, 3);
    return true;
}

std::string_view RecordBuffer::raw(StringField f) const
{
    assert(f.file == m_file);
    return std::string_view(m_bytes.data() + f.offset, f.size);
}

FieldValue RecordBuffer::value(int field) const
{
    const FieldDef &d = def().fields[field];
    const auto index = static_cast<std::uint16_t>(field);
    switch (d.type) {
    case FieldType::Long:
        return get(LongField{m_file, index, d.offset, d.size});
    case FieldType::Real:
        return get(RealField{m_file, index, d.offset, d.size});
    case FieldType::String:
        return get(StringField{m_file, index, d.offset, d.size});
    case FieldType::Date:
        return get(DateField{m_file, index, d.offset, d.size});
    case FieldType::Decimal:
        return get(DecimalField{m_file, index, d.offset, d.size});
    }
    return std::int32_t{0};
}

bool RecordBuffer::setValue(int field, const FieldValue &value)
{
    const FieldDef &d = def().fields[field];
    const auto index = static_cast<std::uint16_t>(field);
    auto asDouble = [&value]() -> double {
        if (const auto *i = std::get_if<std::int32_t>(&value))
            return *i;
        if (const auto *r = std::get_if<double>(&value))
            return *r;
        return 0.0;
    };
    switch (d.type) {
    case FieldType::String:
        if (const auto *s = std::get_if<std::string>(&value)) {
            set(StringField{m_file, index, d.offset, d.size}, *s);
            return true;
        }
        return false;
    case FieldType::Long:
    case FieldType::Date: {
        if (std::holds_alternative<std::string>(value))
            return false;
        const double v = asDouble();
        if (!(v >= -2147483648.0 && v <= 2147483647.0))
            return false;
        const auto i = static_cast<std::int32_t>(std::llround(v));
        if (d.type == FieldType::Long)
            set(LongField{m_file, index, d.offset, d.size}, i);
        else
            set(DateField{m_file, index, d.offset, d.size}, i);
        return true;
    }
    case FieldType::Real:
        if (std::holds_alternative<std::string>(value))
            return false;
        set(RealField{m_file, index, d.offset, d.size}, asDouble());
        return true;
    case FieldType::Decimal:
        if (std::holds_alternative<std::string>(value))
            return false;
        return set(DecimalField{m_file, index, d.offset, d.size}, asDouble());
    }
    return false;
}

std::string RecordBuffer::text(int field) const
{
    const FieldDef &d = def().fields[field];
    const FieldValue v = value(field);
    switch (d.type) {
    case FieldType::String:
        return std::get<std::string>(v);
    case FieldType::Long:
        return std::to_string(std::get<std::int32_t>(v));
    case FieldType::Date:
        return rt::formatDate(std::get<std::int32_t>(v));
    case FieldType::Real:
    case FieldType::Decimal:
        return formatNumber(std::get<double>(v));
    }
    return {};
}

Records::Records()
{
    m_buffers.reserve(kFileCount);
    for (std::size_t i = 0; i < kFileCount; ++i)
        m_buffers.emplace_back(static_cast<FileId>(i));
}

void Records::clearAll()
{
    for (RecordBuffer &b : m_buffers)
        b.clear();
}
