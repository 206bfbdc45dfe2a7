#include "idbuilder.h"

namespace rt {

std::string
IdBuilder::compose(std::string_view prefix, StdDate date, StdTime time, std::size_t width)
{
    std::string id(prefix);
    id += std::to_string(date);
    id += std::to_string(time);
    if (id.size() > width)
        id.resize(width);
    return id;
}

std::string IdBuilder::next(std::string_view prefix, std::size_t width, const TakenInFile &taken)
{
    const StdDate date = today();
    StdTime time = clockNow();
    // Bounded: a day has 8,640,000 hundredths; far fewer ids are ever taken.
    for (int attempt = 0; attempt < 1000000; ++attempt, ++time) {
        std::string id = compose(prefix, date, time, width);
        if (m_handedOut.count(id) != 0)
            continue;
        if (taken && taken(id))
            continue;
        m_handedOut.insert(id);
        return id;
    }
    return compose(prefix, date, time, width);
}

} // namespace rt
