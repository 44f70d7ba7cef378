#include "index/keyword_collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <numeric>

#include "common/windows1252.h"

namespace folverin {

std::string CollationLocale() {
  for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::string locale = value;
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale == "C" || locale == "POSIX") return {};
    return locale;
  }
  return {};
}

namespace {

std::unique_ptr<icu::Collator> MakeCollator(const std::string& locale) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale where = locale.empty() ? icu::Locale::getRoot() : icu::Locale(locale.c_str());
  std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(where, status));
  if (U_FAILURE(status) || !collator) {
    status = U_ZERO_ERROR;
    collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
  }
  if (collator) collator->setStrength(icu::Collator::TERTIARY);
  return collator;
}

// A sort key per keyword: the keys are compared as bytes, which is much
// cheaper than asking the collator for every comparison of a large list.
std::string SortKey(const icu::Collator& collator, const AnsiString& keyword) {
  const std::u16string text = AnsiToUtf16(keyword);
  const icu::UnicodeString unicode(false, text.data(), static_cast<int32_t>(text.size()));
  std::string key(64, '\0');
  for (;;) {
    const int32_t length = collator.getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()),
                                               static_cast<int32_t>(key.size()));
    if (length <= static_cast<int32_t>(key.size())) {
      key.resize(static_cast<size_t>(std::max(0, length)));
      return key;
    }
    key.resize(static_cast<size_t>(length));
  }
}

}  // namespace

void SortKeywords(std::vector<AnsiString>& keywords, const std::string& locale) {
  const std::unique_ptr<icu::Collator> collator = MakeCollator(locale);
  if (!collator) {
    std::sort(keywords.begin(), keywords.end());
    return;
  }
  std::vector<std::string> keys;
  keys.reserve(keywords.size());
  for (const AnsiString& keyword : keywords) keys.push_back(SortKey(*collator, keyword));
  std::vector<size_t> order(keywords.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (keys[a] != keys[b]) return keys[a] < keys[b];
    return keywords[a] < keywords[b];
  });
  std::vector<AnsiString> sorted;
  sorted.reserve(keywords.size());
  for (const size_t i : order) sorted.push_back(std::move(keywords[i]));
  keywords = std::move(sorted);
}

}  // namespace folverin
