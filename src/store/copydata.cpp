#include "store/copydata.h"

#include "store/transaction.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct Summary
{
    std::int64_t records = 0;
    std::uint64_t checksum = 14695981039346656037ULL; // FNV-1a over the records' bytes
    int code = Result::Ok;
};

void mix(Summary &summary, const RecordBuffer &record)
{
    for (std::size_t i = 0; i < record.size(); ++i) {
        summary.checksum ^= static_cast<unsigned char>(record.data()[i]);
        summary.checksum *= 1099511628211ULL;
    }
    ++summary.records;
}

// Every record of an open file in insertion order.
Summary summarize(RecordFile &file)
{
    Summary summary;
    if (const int rc = file.setStoredOrder(); rc != Result::Ok) {
        summary.code = rc;
        return summary;
    }
    int rc = Result::Ok;
    while ((rc = file.next()) == Result::Ok)
        mix(summary, file.buffer());
    summary.code = rc == Result::NoRecord ? Result::Ok : rc;
    return summary;
}

std::string failure(const char *what, const FileDef &def, const Engine &engine)
{
    const StorageStatus &status = engine.status();
    std::string text
        = std::string(what) + " " + def.storedName + " (Fehler " + std::to_string(status.code);
    if (!status.engineMessage.empty())
        text += ": " + status.engineMessage;
    return text + ")";
}

std::string hex(std::uint64_t value)
{
    char buf[20];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(value));
    return buf;
}

} // namespace

CopyResult copyData(Engine &from, Engine &to, bool overwrite)
{
    CopyResult result;
    Records sourceRecords;
    Records targetRecords;
    std::array<std::unique_ptr<RecordFile>, kFileCount> sources;
    std::array<std::unique_ptr<RecordFile>, kFileCount> targets;

    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        const FileDef &def = fileDef(id);
        sources[i] = from.recordFile(id, sourceRecords[id]);
        const int opened = sources[i]->open(OpenMode::ReadOnly | OpenMode::DenyNone);
        if (opened == Result::FileNotFound) {
            sources[i].reset(); // nothing to copy: the target's file is made empty
        } else if (opened != Result::Ok) {
            result.report = failure("Quelle nicht lesbar:", def, from);
            return result;
        }
        if (!overwrite && to.exists(id)) {
            const auto probe = to.recordFile(id, targetRecords[id]);
            if (probe->open(OpenMode::ReadOnly | OpenMode::DenyNone) == Result::Ok
                && probe->records() > 0) {
                result.report = std::string("Das Ziel enthält schon Daten (") + def.storedName
                                + "); zum Überschreiben --overwrite angeben.";
                return result;
            }
        }
    }
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        targets[i] = to.recordFile(id, targetRecords[id]);
        if (targets[i]->create() != Result::Ok || targets[i]->open() != Result::Ok) {
            result.report = failure("Ziel nicht anlegbar:", fileDef(id), to);
            return result;
        }
        // A file the engine cannot frame with the others is written at once.
        to.addToTransaction(*targets[i]);
    }
    {
        Transaction transaction(to, 2);
        if (transaction.began() != Result::Ok) {
            result.report = failure("Keine Transaktion auf dem Ziel:", fileDef(FileId::papier), to);
            return result;
        }
        for (std::size_t i = 0; i < kFileCount; ++i) {
            if (!sources[i])
                continue;
            RecordFile &source = *sources[i];
            RecordFile &target = *targets[i];
            if (source.setStoredOrder() != Result::Ok) {
                result.report = failure("Quelle nicht lesbar:", source.def(), from);
                return result;
            }
            int rc = Result::Ok;
            while ((rc = source.next()) == Result::Ok) {
                std::memcpy(target.buffer().data(), source.buffer().data(), target.buffer().size());
                if (target.add() != Result::Ok) {
                    result.report = failure("Nicht geschrieben:", target.def(), to);
                    return result;
                }
            }
            if (rc != Result::NoRecord) {
                result.report = failure("Quelle nicht lesbar:", source.def(), from);
                return result;
            }
        }
        if (transaction.commit() != Result::Ok) {
            result.report = failure("Nicht übernommen:", fileDef(FileId::papier), to);
            return result;
        }
    }
    // What arrived, compared with what was there, file by file.
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const FileDef &def = fileDef(static_cast<FileId>(i));
        const Summary source = sources[i] ? summarize(*sources[i]) : Summary{};
        const Summary target = summarize(*targets[i]);
        if (source.code != Result::Ok || target.code != Result::Ok
            || source.records != target.records || source.checksum != target.checksum) {
            result.report = std::string("Prüfung fehlgeschlagen: ") + def.storedName + " hat "
                            + std::to_string(source.records) + " Sätze in der Quelle, "
                            + std::to_string(target.records) + " im Ziel.";
            return result;
        }
        result.report += std::string(def.storedName) + ": " + std::to_string(target.records)
                         + " Sätze, Prüfsumme " + hex(target.checksum) + "\n";
    }
    result.ok = true;
    return result;
}
