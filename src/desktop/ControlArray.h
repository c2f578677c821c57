#pragma once

#include <QtGlobal>

#include <array>

// A fixed array of controls addressed by an index from 1 to N, as the draw
// and editor boxes are numbered on screen. Index 0 does not exist.
template<typename T, int N> class ControlArray
{
public:
    T *&operator()(int indice)
    {
        Q_ASSERT_X(indice >= 1 && indice <= N, "ControlArray", "index outside 1..N");
        return controles[static_cast<std::size_t>(indice - 1)];
    }
    T *operator()(int indice) const
    {
        Q_ASSERT_X(indice >= 1 && indice <= N, "ControlArray", "index outside 1..N");
        return controles[static_cast<std::size_t>(indice - 1)];
    }

private:
    std::array<T *, N> controles {};
};
