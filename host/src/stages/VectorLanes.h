// Loading and storing GCC vectors at any address: the stages' rows are byte arrays with no alignment to rely on,
// and memcpy of a vector's size compiles to one unaligned load or store.
#pragma once

#include <cstring>

namespace vendrel::stages {

template <typename Vector, typename Element> inline Vector loadLanes(const Element* p)
{
    Vector v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename Vector, typename Element> inline void storeLanes(Element* p, Vector v)
{
    std::memcpy(p, &v, sizeof v);
}

} // namespace vendrel::stages
