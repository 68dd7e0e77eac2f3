#include "fixed/fixed.h"

// Set for the library's own sources only: a private setting.
#ifndef FIXED_BUILDING
#error "FIXED_BUILDING is the fixed library's private setting"
#endif

namespace fixed {

Value Multiply(Value a, Value b) {
  return a * b / FIXED_ONE;
}

std::string Format(Value value) {
  const Value magnitude = value < 0 ? -value : value;
  std::string steps = std::to_string(magnitude % FIXED_ONE);
  // As many decimals as FIXED_ONE has zeros.
  std::string decimals;
  for (Value one = FIXED_ONE; one > 1; one /= 10)
    decimals += '0';
  decimals.replace(decimals.size() - steps.size(), steps.size(), steps);
  return (value < 0 ? "-" : "") + std::to_string(magnitude / FIXED_ONE) + "." +
         decimals;
}

}  // namespace fixed
