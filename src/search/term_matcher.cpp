#include "search/term_matcher.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "search/search_term.h"

namespace folverin {

namespace {

constexpr size_t kNone = std::string_view::npos;

// The first occurrence of `term` (at least two bytes long) at or after
// `from`. The search is the cost of every term of every document, so on x86
// it compares 16 candidate positions at once by the term's first and last
// byte and verifies only the positions where both agree.
size_t FindTerm(std::string_view text, std::string_view term, size_t from) {
  const size_t n = text.size();
  const size_t k = term.size();
  size_t i = from;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(term.front());
  const __m128i last = _mm_set1_epi8(term.back());
  for (; i + k - 1 + 16 <= n; i += 16) {
    const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i atLast =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i + k - 1));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atLast, last))));
    while (mask != 0) {
      const size_t pos = i + static_cast<size_t>(__builtin_ctz(mask));
      if (std::memcmp(text.data() + pos + 1, term.data() + 1, k - 2) == 0) return pos;
      mask &= mask - 1;
    }
  }
#endif
  const void* hit = memmem(text.data() + i, n - i, term.data(), k);
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : kNone;
}

size_t FindFrom(std::string_view text, const AnsiString& term, size_t from) {
  if (from + term.size() > text.size()) return kNone;
  if (term.size() < 2) {
    const void* hit = std::memchr(text.data() + from, term.front(), text.size() - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : kNone;
  }
  return FindTerm(text, term, from);
}

// Whether the term occurs within one stretch of text between tags. The tag
// state at a position is decided by its neighbourhood alone: after any "<"
// the text is inside a tag (a "<" inside a tag changes nothing), and the
// first ">" after it ends the tag. So each occurrence is checked where it
// is, and a document's tags are never walked from its start.
bool StretchesContain(std::string_view text, const AnsiString& term) {
  // An empty term never matches, and no stretch holds a "<".
  if (term.empty() || term.find('<') != AnsiString::npos) return false;
  const char* base = text.data();
  const size_t n = text.size();
  size_t from = 0;
  for (;;) {
    const size_t pos = FindFrom(text, term, from);
    if (pos == kNone) return false;
    // The stretch must end in a "<" and must not end inside the occurrence.
    const void* lt = std::memchr(base + pos, '<', n - pos);
    if (!lt) return false;  // text after the last tag: nothing later counts either
    const size_t ltPos = static_cast<const char*>(lt) - base;
    if (ltPos < pos + term.size()) {
      from = ltPos + 1;
      continue;
    }
    const void* lastLt = memrchr(base, '<', pos);
    if (!lastLt) return true;  // the first stretch of the document
    const size_t lastLtPos = static_cast<const char*>(lastLt) - base;
    if (memrchr(base + lastLtPos + 1, '>', pos - lastLtPos - 1)) return true;
    // Inside a tag, which ends at the first ">" from here on.
    const void* gt = std::memchr(base + pos, '>', n - pos);
    if (!gt) return false;
    from = static_cast<size_t>(static_cast<const char*>(gt) - base) + 1;
  }
}

}  // namespace

void TTermMatcher::SetTerms(const std::vector<AnsiString>& terms) {
  prepared_.clear();
  for (const AnsiString& term : terms) prepared_.push_back(PrepareSearchTerm(term));
}

std::vector<bool> TTermMatcher::Match(std::string_view upperText) const {
  std::vector<bool> results;
  results.reserve(prepared_.size());
  for (const AnsiString& term : prepared_) results.push_back(StretchesContain(upperText, term));
  return results;
}

}  // namespace folverin
