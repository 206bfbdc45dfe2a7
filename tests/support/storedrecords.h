#pragma once

#include "store/files.h"
#include "store/storecontext.h"

#include <functional>
#include <string>
#include <vector>

// Records written and read from the test's own thread, as another station would: the file is
// opened for it and closed again.

// Adds a record the way a form does: a numbered placeholder, the fields, then Insert.
// Whether both steps succeeded.
inline bool addRecord(StoreContext &store, FileId file, const std::function<void(Records &)> &fill)
{
    FileManager &manager = store.fileManager(file);
    manager.Open();
    const bool numbered = manager.PrepareNewRecord() == Level::Benign;
    fill(store.records());
    const bool inserted = manager.Insert() == Level::Benign;
    manager.Close();
    return numbered && inserted;
}

// Every record of the file in the order of `key`.
inline std::vector<RecordBuffer> storedRecords(StoreContext &store, KeyRef key)
{
    std::vector<RecordBuffer> result;
    FileManager &manager = store.fileManager(key.file);
    manager.Open();
    if (manager.startPass(key) == Level::Benign) {
        while (manager.NextQuiet() == Level::Benign)
            result.push_back(store.records()[key.file]);
    }
    manager.Close();
    return result;
}

// The record whose `field`, the one field of `key`, holds `value`; an empty buffer when there
// is none.
inline RecordBuffer
storedRecord(StoreContext &store, KeyRef key, StringField field, const std::string &value)
{
    FileManager &manager = store.fileManager(key.file);
    manager.Open();
    store.records().set(field, value);
    RecordBuffer found(key.file);
    if (manager.FetchQuiet(key) == Level::Benign)
        found = store.records()[key.file];
    manager.Close();
    return found;
}
