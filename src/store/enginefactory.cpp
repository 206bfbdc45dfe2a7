#include "store/enginefactory.h"

#include "store/sqlite/sqliteengine.h"

std::unique_ptr<Engine> makeEngine(const DataLocation &location)
{
    return std::make_unique<SqliteEngine>(location.folder);
}
