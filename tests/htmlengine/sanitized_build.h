// Whether the tests run under AddressSanitizer (which the sanitizer build
// always uses), making every allocation and every walk many times slower:
// the tests of huge documents then use smaller ones that still reach their
// limit.
#pragma once

namespace folverin::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = false;
#endif
#else
inline constexpr bool kSanitizedBuild = false;
#endif

}  // namespace folverin::test
