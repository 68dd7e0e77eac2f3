// Fixed-point numbers: FIXED_ONE steps make one unit. FIXED_ONE is one of
// the library's public settings, so every target that uses this header,
// directly or through a library that depends on this one publicly, is
// compiled with the value the library was built with. The header needs
// C++20 (a concept), which the library passes on too.
#ifndef FIXED_FIXED_H_
#define FIXED_FIXED_H_

#include <string>
#include <type_traits>

#ifndef FIXED_ONE
#error "FIXED_ONE comes from the public settings of the fixed library"
#endif

namespace fixed {

using Value = long long;

template <typename T>
concept Integer = std::is_integral_v<T>;

// `units` and `steps` / FIXED_ONE.
template <Integer T>
constexpr Value Make(T units, Value steps = 0) {
  return static_cast<Value>(units) * FIXED_ONE + steps;
}

Value Multiply(Value a, Value b);

// "3.375" for Make(3, 375) when FIXED_ONE is 1000.
std::string Format(Value value);

}  // namespace fixed

#endif  // FIXED_FIXED_H_
