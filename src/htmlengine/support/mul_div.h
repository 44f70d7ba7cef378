// Proportional shares: a * b / c rounded to the nearest integer (halves away
// from zero), with a wide enough intermediate that large widths cannot
// overflow.
#pragma once

#include <cmath>
#include <cstdint>

namespace folverin {

// No share at all when c is 0.
inline int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
#ifdef __SIZEOF_INT128__
  const __int128 product = static_cast<__int128>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const __int128 num = product < 0 ? -product : product;
  const __int128 den = c < 0 ? -static_cast<__int128>(c) : c;
  const __int128 quotient = (2 * num + den) / (2 * den);
  return static_cast<int64_t>(negative ? -quotient : quotient);
#else
  return static_cast<int64_t>(std::llround(static_cast<long double>(a) * b / c));
#endif
}

}  // namespace folverin
