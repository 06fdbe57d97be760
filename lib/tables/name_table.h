// The one way the library looks up a name: a constant table of Shift-JIS
// strings indexed by a caller's number. Callers may pass anything, so an
// index outside the table gives a null pointer instead of a read past it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorane2::tables {

template <std::size_t N>
constexpr const char* lookupName(const std::array<const char*, N>& names, int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return nullptr;
    return names[static_cast<std::size_t>(index)];
}

}  // namespace vorane2::tables
