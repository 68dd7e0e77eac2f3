#ifndef QEV_EXPORTERS_VS_COMMON_GUID_H_
#define QEV_EXPORTERS_VS_COMMON_GUID_H_

#include <cstdint>
#include <string>
#include <string_view>

// Solutions refer to every target, also one of another description file, by
// a GUID derived from the target's name alone, so the same name gives the
// same GUID in every run and every file.

// The GUID of `name`: 36 characters, upper-case hexadecimal digits in groups
// of 8, 4, 4, 4 and 12 joined by "-", without braces. Bytes from the first
// NUL on play no part, as in a C string. Distinct names may share a GUID.
std::string MakeGuid(std::string_view name);

// Signed 32-bit division truncated toward zero, with two's complement
// wrapping: -2^31 / -1 gives the quotient -2^31 and the remainder 0.
// `divisor` must not be 0.
void DivideWrapping(int32_t dividend,
                    int32_t divisor,
                    int32_t* quotient,
                    int32_t* remainder);

#endif  // QEV_EXPORTERS_VS_COMMON_GUID_H_
