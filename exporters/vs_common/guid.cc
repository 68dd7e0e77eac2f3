#include "exporters/vs_common/guid.h"

namespace {

// The four running sums of MakeGuid. They are kept unsigned so that sums and
// products wrap modulo 2^32 without undefined behaviour; the bit patterns are
// those of two's complement signed arithmetic.
struct GuidSums {
  uint32_t s = 0;
  uint32_t q = 0;
  uint32_t m = 0;
  uint32_t h = 0;
};

int32_t AsSigned(uint32_t value) {
  return static_cast<int32_t>(value);
}

// The generator that scatters the sums over the last five groups: a linear
// congruential generator seeded with 15 bits of the hash.
class GuidRandom {
 public:
  explicit GuidRandom(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 214013u + 2531011u;
    return (state_ >> 16) & 0x7FFFu;
  }

 private:
  uint32_t state_;
};

void AppendHex(uint32_t value, int digits, std::string* out) {
  static const char kDigits[] = "0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
    out->push_back(kDigits[(value >> shift) & 0xFu]);
}

}  // namespace

void DivideWrapping(int32_t dividend,
                    int32_t divisor,
                    int32_t* quotient,
                    int32_t* remainder) {
  // In 64 bits the one overflowing case, -2^31 / -1, gives 2^31, which wraps
  // to -2^31 on the way back to 32 bits.
  int64_t wide_quotient = static_cast<int64_t>(dividend) / divisor;
  int64_t wide_remainder = static_cast<int64_t>(dividend) % divisor;
  *quotient = AsSigned(static_cast<uint32_t>(wide_quotient));
  *remainder = static_cast<int32_t>(wide_remainder);
}

std::string MakeGuid(std::string_view name) {
  GuidSums sums;
  for (char c : name) {
    if (c == '\0')
      break;
    // Each byte counts as a signed 8-bit number, -128 to 127.
    int32_t value =
        static_cast<signed char>(c);  // NOLINT(bugprone-signed-char-misuse)
    sums.s += static_cast<uint32_t>(value);
    int32_t quotient;
    int32_t remainder;
    DivideWrapping(AsSigned(sums.s), value, &quotient, &remainder);
    sums.q += static_cast<uint32_t>(quotient);
    sums.m += static_cast<uint32_t>(remainder);
    sums.h += sums.s * sums.q * sums.m;
  }

  GuidRandom random(sums.h & 0x7FFFu);
  uint32_t x[6];
  for (uint32_t& number : x)
    number = random.Next();

  std::string guid;
  guid.reserve(36);
  AppendHex(sums.s & 0xFFu, 2, &guid);
  AppendHex(sums.q & 0xFFu, 2, &guid);
  AppendHex(sums.m & 0xFFu, 2, &guid);
  AppendHex(sums.h & 0xFFu, 2, &guid);
  guid += '-';
  AppendHex((x[5] * sums.h) & 0xFFFFu, 4, &guid);
  guid += '-';
  AppendHex((x[4] * sums.m) & 0xFFFFu, 4, &guid);
  guid += '-';
  AppendHex((x[3] * sums.s) & 0xFFFFu, 4, &guid);
  guid += '-';
  AppendHex((x[2] * sums.h) & 0xFFFFu, 4, &guid);
  AppendHex((x[1] * sums.m) & 0xFFFFu, 4, &guid);
  AppendHex((x[0] * sums.s) & 0xFFFFu, 4, &guid);
  return guid;
}
