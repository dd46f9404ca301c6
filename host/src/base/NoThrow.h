// Host procedures run inside the plug-in's frames, so no exception may leave them: the two sides need not
// share a C++ runtime (a 32-bit Windows module links its own and cannot unwind the host's exceptions). Each
// procedure handed to a plug-in goes through noThrow<procedure>, which answers a failure instead: an OSErr
// of memFullErr (out of memory) or paramErr, a null pointer, false or 0.
#pragma once

#include <new>
#include <type_traits>

#include "PITypes.h"

namespace vendrel {

template <typename Result> constexpr Result failureAnswer(bool outOfMemory)
{
    if constexpr (std::is_same_v<Result, OSErr>)
        return outOfMemory ? OSErr(memFullErr) : OSErr(paramErr);
    else if constexpr (std::is_pointer_v<Result>)
        return nullptr;
    else
        return Result{};
}

template <auto Procedure> struct NoThrow;

template <typename Result, typename... Args, Result (*Procedure)(Args...)> struct NoThrow<Procedure> {
    static Result call(Args... args) noexcept
    {
        try {
            return Procedure(args...);
        } catch (const std::bad_alloc&) {
            if constexpr (!std::is_void_v<Result>)
                return failureAnswer<Result>(true);
        } catch (...) {
            if constexpr (!std::is_void_v<Result>)
                return failureAnswer<Result>(false);
        }
    }
};

template <auto Procedure> inline constexpr auto noThrow = &NoThrow<Procedure>::call;

} // namespace vendrel
