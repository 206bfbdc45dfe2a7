#pragma once

#include "stepmanager.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// A text key measured against a table of 100 ascending entries: a value's position is the
// number of entries not greater than it. Values come and go as UTF-8; the table, `ROOT` and
// `SORTCHARS` are Windows-1252 bytes, the way the key compares them. Unless the key is case
// sensitive, a value is compared in the folded form of keyfold.h.
class TextStep : public StepManager
{
public:
    enum class LookupMode { Surnames = 1, Alphabet = 2, Computed = 3 };

    static constexpr std::size_t RootSize = 40;
    static constexpr std::size_t TableSize = 100;

    TextStep(LookupMode mode, unsigned controls);

    // Only the computed table depends on the limits; it is rebuilt from them. Before any
    // limits are given it spans every text the sort characters can spell.
    void setLimits(const FieldValue &first, const FieldValue &last) override;
    // A number is not measured: it sits in the middle.
    int position(const FieldValue &value) const override;
    // `ROOT` followed by the table entry, without trailing blanks; for a key that ignores
    // case in its folded form, which positions the key the same.
    std::optional<FieldValue> value(int position) const override;

    LookupMode lookupMode() const { return m_lookupMode; }
    int testLen() const { return m_testLen; }
    const std::string &root() const { return m_root; }
    const std::string &sortChars() const { return m_sortChars; }
    // `REF`, ascending whatever the direction of the key; the direction is applied when
    // converting, both ways.
    const std::vector<std::string> &table() const { return m_ref; }

    static const std::array<std::string_view, TableSize> &surnameTable();
    static std::vector<std::string> alphabetTable();
    // The characters a key with these flags can hold, in byte order. Flags that admit no
    // character at all count as alphabetic, punctuation and digits together.
    static std::string buildSortChars(unsigned controls);

private:
    std::string keyForm(const FieldValue &value) const;
    void buildComputedTable(std::string low, std::string high);

    LookupMode m_lookupMode;
    int m_testLen;
    std::string m_root;
    std::string m_sortChars;
    std::vector<std::string> m_ref;
};
