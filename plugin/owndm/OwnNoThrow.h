// Suite functions run inside the plug-in's dialog code and, through it, inside window procedures: no C++
// exception may leave them. Each function placed in a suite table goes through NoThrow<function>, which answers
// a failure with a null pointer, false or 0.
#pragma once

#include <type_traits>

namespace owndm {

template <auto Function> struct NoThrowCall;

template <typename Result, typename... Args, Result (*Function)(Args...)> struct NoThrowCall<Function> {
    static Result Call(Args... args) noexcept
    {
        try {
            return Function(args...);
        } catch (...) {
            if constexpr (!std::is_void_v<Result>)
                return Result{};
        }
    }
};

template <auto Function> inline constexpr auto NoThrow = &NoThrowCall<Function>::Call;

} // namespace owndm
