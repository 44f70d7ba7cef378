#include "search/term_matcher.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "search/search_term.h"

namespace folverin {

namespace {

constexpr size_t kNone = std::string_view::npos;

// What the filter's verifications may cost before a finder turns to the
// linear scan: this many bytes compared per byte passed, plus a start-up
// allowance so that a few early candidates do not decide it.
constexpr uint64_t kVerifyBytesPerByte = 4;
constexpr uint64_t kVerifyAllowance = 4096;

// The first occurrence of `term` (at least two bytes long) at or after
// `from`. The search is the cost of every term of every document, so on x86
// it compares 16 candidate positions at once by the term's first and last
// byte and verifies only the positions where both agree; the scan for the
// next candidates is a loop of its own, without calls, so that it keeps all
// it needs in registers. On repetitive text a long term can agree at nearly
// every position and fail only near its end ("ABAB...AB" searched for
// "ABAB...AAB"): each verification then costs up to the term's length, and
// the search would be quadratic. So the bytes that failed verifications may
// have compared are added up in `verified`; once they exceed their allowance
// the search stops and sets `resume` to where a linear scan must go on.
size_t FilteredSearch(std::string_view text, std::string_view term, size_t from,
                      uint64_t& verified, size_t& resume) {
  const size_t n = text.size();
  const size_t k = term.size();
  size_t i = from;
#if defined(__SSE2__)
  const char* data = text.data();
  const __m128i first = _mm_set1_epi8(term.front());
  const __m128i last = _mm_set1_epi8(term.back());
  for (;;) {
    unsigned mask = 0;
    for (; i + k - 1 + 16 <= n; i += 16) {
      const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
      const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + k - 1));
      mask = static_cast<unsigned>(_mm_movemask_epi8(
          _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atLast, last))));
      if (mask != 0) break;
    }
    if (mask == 0) break;
    do {
      const size_t pos = i + static_cast<size_t>(__builtin_ctz(mask));
      if (std::memcmp(data + pos + 1, term.data() + 1, k - 2) == 0) return pos;
      mask &= mask - 1;
      // The text before i counts as passed.
      verified += k - 2;
      if (verified > kVerifyBytesPerByte * i + kVerifyAllowance) {
        resume = pos + 1;  // no position up to pos holds the term
        return kNone;
      }
    } while (mask != 0);
    i += 16;
  }
#endif
  // Fewer than k + 15 bytes are left here (on x86).
  const void* hit = memmem(text.data() + i, n - i, term.data(), k);
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : kNone;
}

// The occurrences of one term in one text, from left to right: filtered
// while that pays, then with the Knuth-Morris-Pratt scan, which reads every
// text byte at most twice, for the rest of this text.
class TTermFinder {
 public:
  TTermFinder(std::string_view text, std::string_view term, const std::vector<uint32_t>& border)
      : text_(text), term_(term), border_(border) {}

  size_t Find(size_t from) {
    if (from + term_.size() > text_.size()) return kNone;
    if (term_.size() < 2) {
      const void* hit = std::memchr(text_.data() + from, term_.front(), text_.size() - from);
      return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text_.data()) : kNone;
    }
    if (linear_) return FindLinear(from);
    size_t resume = kNone;
    const size_t pos = FilteredSearch(text_, term_, from, verified_, resume);
    if (resume == kNone) return pos;
    linear_ = true;
    return FindLinear(resume);
  }

 private:
  size_t FindLinear(size_t from) const {
    const char* text = text_.data();
    const size_t n = text_.size();
    const size_t k = term_.size();
    size_t matched = 0;  // bytes of the term that end at the current position
    for (size_t i = from; i < n; ++i) {
      if (matched == 0) {
        // Nothing to carry on: skip straight to the next possible start.
        const void* hit = std::memchr(text + i, term_.front(), n - i);
        if (!hit) return kNone;
        i = static_cast<size_t>(static_cast<const char*>(hit) - text);
        if (n - i < k) return kNone;
        matched = 1;
        continue;
      }
      while (matched > 0 && text[i] != term_[matched]) matched = border_[matched - 1];
      if (text[i] == term_[matched]) ++matched;
      if (matched == k) return i + 1 - k;
    }
    return kNone;
  }

  std::string_view text_;
  std::string_view term_;
  const std::vector<uint32_t>& border_;
  uint64_t verified_ = 0;  // bytes the verifications may have compared
  bool linear_ = false;
};

// For every prefix of the term, the length of its longest proper prefix
// that is also its suffix: where the linear scan goes on after a mismatch.
std::vector<uint32_t> BorderTable(std::string_view term) {
  std::vector<uint32_t> border(term.size(), 0);
  uint32_t length = 0;
  for (size_t i = 1; i < term.size(); ++i) {
    while (length > 0 && term[i] != term[length]) length = border[length - 1];
    if (term[i] == term[length]) ++length;
    border[i] = length;
  }
  return border;
}

// The last `c` in base[0, end), looked for near `end` first: the tag before
// an occurrence is seldom far back, and a search of the whole prefix for
// every occurrence would cost a checked build (whose memrchr checks the
// whole range it is given) time in the square of the document's size.
const char* LastBefore(const char* base, char c, size_t end) {
  constexpr size_t kNear = 4096;
  if (end <= kNear) return static_cast<const char*>(memrchr(base, c, end));
  if (const void* near = memrchr(base + end - kNear, c, kNear)) return static_cast<const char*>(near);
  return static_cast<const char*>(memrchr(base, c, end - kNear));
}

// Whether the term occurs within one stretch of text between tags. The tag
// state at a position is decided by its neighbourhood alone: after any "<"
// the text is inside a tag (a "<" inside a tag changes nothing), and the
// first ">" after it ends the tag. So each occurrence is checked where it
// is, and a document's tags are never walked from its start.
bool StretchesContain(std::string_view text, const AnsiString& term,
                       const std::vector<uint32_t>& border) {
  // An empty term never matches, and no stretch holds a "<".
  if (term.empty() || term.find('<') != AnsiString::npos) return false;
  TTermFinder finder(text, term, border);
  const char* base = text.data();
  const size_t n = text.size();
  size_t from = 0;
  for (;;) {
    const size_t pos = finder.Find(from);
    if (pos == kNone) return false;
    // The stretch must end in a "<" and must not end inside the occurrence.
    const void* lt = std::memchr(base + pos, '<', n - pos);
    if (!lt) return false;  // text after the last tag: nothing later counts either
    const size_t ltPos = static_cast<const char*>(lt) - base;
    if (ltPos < pos + term.size()) {
      from = ltPos + 1;
      continue;
    }
    const char* lastLt = LastBefore(base, '<', pos);
    if (!lastLt) return true;  // the first stretch of the document
    const size_t lastLtPos = lastLt - base;
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
  borders_.clear();
  for (const AnsiString& term : terms) {
    prepared_.push_back(PrepareSearchTerm(term));
    borders_.push_back(BorderTable(prepared_.back()));
  }
}

std::vector<bool> TTermMatcher::Match(std::string_view upperText) const {
  std::vector<bool> results;
  results.reserve(prepared_.size());
  for (size_t i = 0; i < prepared_.size(); ++i)
    results.push_back(StretchesContain(upperText, prepared_[i], borders_[i]));
  return results;
}

}  // namespace folverin
