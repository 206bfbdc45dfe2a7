#pragma once

// The collation under which text components of keys that ignore letter case are compared and
// indexed. Every connection registers it under this name, and filters that compare such a
// field ignoring case name it, so that their comparisons can use the key's index.
inline constexpr const char *kNoCaseCollation = "NOCASE_DE";
