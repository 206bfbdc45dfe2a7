#include "framework/procedureregistry.h"

void ProcedureRegistry::add(std::string name, Body body)
{
    m_bodies.insert_or_assign(std::move(name), std::move(body));
}

void ProcedureRegistry::remove(std::string_view name)
{
    if (const auto found = m_bodies.find(name); found != m_bodies.end())
        m_bodies.erase(found);
}

bool ProcedureRegistry::contains(std::string_view name) const
{
    return find(name) != nullptr;
}

const ProcedureRegistry::Body *ProcedureRegistry::find(std::string_view name) const
{
    const auto it = m_bodies.find(name);
    return it == m_bodies.end() ? nullptr : &it->second;
}

std::vector<std::string> ProcedureRegistry::names() const
{
    std::vector<std::string> result;
    result.reserve(m_bodies.size());
    for (const auto &[name, body] : m_bodies)
        result.push_back(name);
    return result;
}
