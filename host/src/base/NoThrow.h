// Host procedures run inside the plug-in's frames, so no exception may leave them: the two sides need not
// share a C++ runtime (a 32-bit Windows module links its own and cannot unwind the host's exceptions). Each
// procedure handed to a plug-in goes through noThrow<procedure>, which answers a failure instead: an OSErr
// of memFullErr (out of memory) or paramErr, a null pointer, false or 0. A procedure whose 32-bit result is a
// suite error code (SPErr, ASErr: the same type as a count or an item id) goes through noThrowError<procedure>,
// which answers memFullErr or paramErr as 32-bit codes.
#pragma once

#include <cstdint>
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

// What a procedure answers when its body throws, by the meaning of its result.
struct PlainFailure {
    template <typename Result> static constexpr Result answer(bool outOfMemory)
    {
        return failureAnswer<Result>(outOfMemory);
    }
};

struct ErrorCodeFailure {
    template <typename Result> static constexpr Result answer(bool outOfMemory)
    {
        static_assert(std::is_same_v<Result, int32_t>, "suite error codes are 32-bit");
        return outOfMemory ? Result(memFullErr) : Result(paramErr);
    }
};

template <auto Procedure, typename Failure> struct NoThrow;

template <typename Result, typename... Args, Result (*Procedure)(Args...), typename Failure>
struct NoThrow<Procedure, Failure> {
    static Result call(Args... args) noexcept
    {
        try {
            return Procedure(args...);
        } catch (const std::bad_alloc&) {
            if constexpr (!std::is_void_v<Result>)
                return Failure::template answer<Result>(true);
        } catch (...) {
            if constexpr (!std::is_void_v<Result>)
                return Failure::template answer<Result>(false);
        }
    }
};

template <auto Procedure> inline constexpr auto noThrow = &NoThrow<Procedure, PlainFailure>::call;
template <auto Procedure> inline constexpr auto noThrowError = &NoThrow<Procedure, ErrorCodeFailure>::call;

} // namespace vendrel
