#include "store/engine.h"

KeySpec KeySpec::ofKey(FileId file, int key)
{
    const KeyDef &k = fileDef(file).keys[key];
    KeySpec spec;
    spec.parts.assign(k.parts.begin(), k.parts.begin() + k.partCount);
    spec.noCase = k.noCase;
    return spec;
}

RecordFile::RecordFile(Engine &engine, FileId file, RecordBuffer &buffer)
    : m_engine(engine)
    , m_id(file)
    , m_buffer(buffer)
{}

RecordFile::~RecordFile() = default;

Engine::~Engine() = default;
