#include "store/sqlite/foldfunctions.h"

#include "store/foldedkey.h"
#include "store/sqlite/statements.h"

#include <sqlite3.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace foldfunctions {
namespace {

void foldFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
    if (!text) {
        sqlite3_result_null(context);
        return;
    }
    const auto size = static_cast<std::size_t>(sqlite3_value_bytes(arguments[0]));
    const std::string folded = foldedkey::fold(std::string_view(text, size));
    sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

int compareLegacy(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return foldedkey::compare(
        std::string_view(static_cast<const char *>(a), static_cast<std::size_t>(lengthA)),
        std::string_view(static_cast<const char *>(b), static_cast<std::size_t>(lengthB)));
}

} // namespace

int registerFold(sqlite3 *db)
{
    return sqlite3_create_function_v2(db,
                                      enginesql::kFoldFunction,
                                      1,
                                      SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                      nullptr,
                                      &foldFunction,
                                      nullptr,
                                      nullptr,
                                      nullptr);
}

int registerLegacyCollation(sqlite3 *db)
{
    return sqlite3_create_collation_v2(
        db, kLegacyCollation, SQLITE_UTF8, nullptr, &compareLegacy, nullptr);
}

} // namespace foldfunctions
