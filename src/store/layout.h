#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The vocabulary of the record files: field types, field and key definitions, and the typed
// names (PAP::PBEZ, PAP::Keypbez) through which the rest of the program names them. Each
// file's fields and keys are declared once, in its header under store/files/.

enum class FileId : std::uint8_t {
    papier,
    maschin,
    arbeit,
    kaldruck,
    kunde,
    auftrag,
    drucktem,
    anach,
    atran,
    aufpap,
    asatz,
    satz,
    transport,
    lieferant,
    text,
    stamm,
    // Files beside the sixteen: the shop's own data, the customers' e-invoice data, the
    // documents issued as they went out, the payments on them and their open items.
    firma,
    kundeer,
    beleg,
    zahlung,
    posten,
};
inline constexpr std::size_t kFileCount = 21;

enum class FieldType : std::uint8_t { Long, Real, String, Date, Decimal };

struct FieldDef
{
    const char *name; // without prefix: "PBEZ"
    FieldType type;
    std::uint16_t size;
    std::uint16_t offset;
};

struct KeyPart
{
    std::uint16_t field; // index into the file's fields
    bool descending = false;
};

struct KeyDef
{
    const char *name; // without prefix: "Keypbez"
    std::array<KeyPart, 3> parts;
    std::uint8_t partCount;
    bool unique;
    bool autoNumber;
    bool noCase; // text components compare without regard to letter case (and umlauts)
};

struct FileDef
{
    FileId id;
    const char *label;      // "papier": the %File of messages
    const char *prefix;     // "PAP"
    const char *storedName; // "PAPIER": the file's name in the working directory
    std::uint16_t recordSize;
    const FieldDef *fields;
    std::uint16_t fieldCount;
    const KeyDef *keys;
    std::uint8_t keyCount;
    // Large values kept with each record beside its fields (the bytes of a stored document),
    // by name; read and written one at a time for the current record (RecordFile::getLarge).
    const char *const *largeNames = nullptr;
    std::uint8_t largeCount = 0;

    // "PAP:PBEZ"; "PAP:Keypbez".
    std::string qualifiedFieldName(int field) const;
    std::string qualifiedKeyName(int key) const;
    // Index of a field by its name with or without prefix, case-insensitive; -1 if none.
    int fieldIndex(std::string_view name) const;
    int keyIndex(std::string_view name) const;
};

const FileDef &fileDef(FileId id);
// The file whose label ("papier") or prefix ("PAP") is given, case-insensitive; nullptr if none.
const FileDef *findFile(std::string_view labelOrPrefix);

template<FieldType T>
struct Field
{
    FileId file;
    std::uint16_t index;
    std::uint16_t offset;
    std::uint16_t size;
};
using LongField = Field<FieldType::Long>;
using RealField = Field<FieldType::Real>;
using StringField = Field<FieldType::String>;
using DateField = Field<FieldType::Date>;
using DecimalField = Field<FieldType::Decimal>;

struct KeyRef
{
    FileId file;
    std::uint8_t index;
};

namespace layout_detail {

template<std::size_t N>
constexpr std::uint16_t offsetOf(const std::uint16_t (&sizes)[N], std::size_t index)
{
    std::uint16_t offset = 0;
    for (std::size_t i = 0; i < index; ++i)
        offset = static_cast<std::uint16_t>(offset + sizes[i]);
    return offset;
}

template<std::size_t N>
constexpr std::uint16_t recordSize(const std::uint16_t (&sizes)[N])
{
    return offsetOf(sizes, N);
}

} // namespace layout_detail

// Expanded once per file header from its field list X(NAME, Type, bytes).
#define TESSARO_FIELD_NUMBER(name, type, bytes) name##_no,
#define TESSARO_FIELD_SIZE(name, type, bytes) bytes,
#define TESSARO_FIELD_DEF(name, type, bytes) \
    FieldDef{#name, FieldType::type, bytes, layout_detail::offsetOf(kSizes, name##_no)},
#define TESSARO_FIELD_NAME(name, type, bytes)     \
    inline constexpr Field<FieldType::type> name{ \
        kFile, name##_no, layout_detail::offsetOf(kSizes, name##_no), bytes};

#define TESSARO_DECLARE_FIELDS(LIST)                                                \
    enum FieldNo : std::uint16_t { LIST(TESSARO_FIELD_NUMBER) kFieldCount };        \
    inline constexpr std::uint16_t kSizes[] = {LIST(TESSARO_FIELD_SIZE)};           \
    inline constexpr FieldDef kFields[] = {LIST(TESSARO_FIELD_DEF)};                \
    inline constexpr std::uint16_t kRecordSize = layout_detail::recordSize(kSizes); \
    LIST(TESSARO_FIELD_NAME)
