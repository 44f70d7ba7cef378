#include "browser/history_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "common/file_descriptor.h"
#include "common/file_system.h"
#include "common/file_url.h"
#include "common/long_path.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

using std::chrono::days;
using std::chrono::floor;
using std::chrono::local_days;

constexpr size_t kTimeLength = 19;  // "2026-12-10 09:31:05"

// The number at text[pos, pos + width), digits only; -1 otherwise.
int Digits(std::string_view text, size_t pos, size_t width) {
  int value = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<TLocalTime> ParseTime(std::string_view text) {
  if (text.size() != kTimeLength || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
      text[13] != ':' || text[16] != ':')
    return std::nullopt;
  const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  const int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
  if (year < 0 || month < 0 || day < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59)
    return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  return local_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute) + std::chrono::seconds(second);
}

std::string FormatTime(TLocalTime time) {
  const local_days day = floor<days>(time);
  const std::chrono::year_month_day date(day);
  const std::chrono::hh_mm_ss clock(time - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

// A field of the log in UTF-8, on one line and without the separator.
std::string LogField(std::string_view ansi) {
  std::string field = AnsiToUtf8(ansi);
  std::replace_if(field.begin(), field.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return field;
}

std::optional<THistoryVisit> ParseLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const size_t first = line.find('\t');
  if (first == std::string_view::npos) return std::nullopt;
  const std::optional<TLocalTime> time = ParseTime(line.substr(0, first));
  if (!time) return std::nullopt;
  std::string_view rest = line.substr(first + 1);
  const size_t second = rest.find('\t');
  const std::string_view address = rest.substr(0, second);
  const std::string_view title = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);
  if (address.empty() || title.find('\t') != std::string_view::npos) return std::nullopt;
  return THistoryVisit{*time, BytesToAnsi(address), BytesToAnsi(title)};
}

struct TParsedLog {
  std::vector<THistoryVisit> Visits;
  size_t Dropped = 0;  // complete lines that are old or no visit
};

TParsedLog ParseLog(std::string_view bytes, TLocalTime now) {
  TParsedLog log;
  const TLocalTime oldest = now - kHistoryDays;
  size_t start = 0;
  // Only lines with their line end count: the rest is a visit cut short.
  for (size_t end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n', start)) {
    const std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    std::optional<THistoryVisit> visit = ParseLine(line);
    if (visit && visit->Time >= oldest) {
      log.Visits.push_back(std::move(*visit));
    } else if (!line.empty()) {
      ++log.Dropped;
    }
  }
  return log;
}

const char* const kWeekdays[] = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};

AnsiString DayCaption(local_days day, local_days today) {
  if (day == today) return "Heute";
  if (day == today - days(1)) return "Gestern";
  const std::chrono::year_month_day date(day);
  const std::chrono::weekday weekday(day);
  char text[48];
  std::snprintf(text, sizeof text, "%s, %02u.%02u.%04d", kWeekdays[weekday.c_encoding()],
                static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                static_cast<int>(date.year()));
  return text;
}

bool StartsWithLower(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

}  // namespace

bool IsHistoryAddress(std::string_view address, std::string_view resultPagePath) {
  if (address.empty() || StartsWithLower(address, "about:") || StartsWithLower(address, "data:")) return false;
  return resultPagePath.empty() || !StartsWithLower(address, "file:") || FileURLToPath(address) != resultPagePath;
}

std::string HistoryLine(const THistoryVisit& visit) {
  return FormatTime(visit.Time) + '\t' + LogField(visit.Address) + '\t' + LogField(visit.Title) + '\n';
}

std::vector<THistoryVisit> ParseHistoryLog(std::string_view bytes, TLocalTime now) {
  return ParseLog(bytes, now).Visits;
}

std::optional<std::string> AppendHistoryVisit(const AnsiString& logPath, const THistoryVisit& visit) {
  const auto failed = [&logPath](int error) {
    return std::optional<std::string>("\"" + logPath + "\": " + std::strerror(error));
  };
  // Not through a link, and never blocking on something that is no file.
  const TFileDescriptor log =
      OpenLongPath(AnsiToUtf8(logPath), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (!log) return failed(errno);
  struct stat info;
  if (::fstat(log.Get(), &info) != 0) return failed(errno);
  if (!S_ISREG(info.st_mode)) return failed(EINVAL);
  std::string line = HistoryLine(visit);
  // A line cut short by an earlier run is ended with two more tabs: a line
  // with more than three fields is no visit, so a cut address or title is
  // never read as a whole one.
  char last = '\n';
  if (info.st_size > 0 && ::pread(log.Get(), &last, 1, info.st_size - 1) == 1 && last != '\n')
    line.insert(0, "\t\t\n");
  // One write: appends of several windows or programs do not interleave.
  for (;;) {
    const ssize_t written = ::write(log.Get(), line.data(), line.size());
    if (written == static_cast<ssize_t>(line.size())) return std::nullopt;
    if (written < 0 && errno == EINTR) continue;
    return failed(written < 0 ? errno : ENOSPC);
  }
}

std::vector<THistoryVisit> ReadHistoryLog(const AnsiString& logPath, TLocalTime now, size_t staleLimit) {
  const std::optional<std::string> bytes = ReadWholeFile(logPath);
  if (!bytes) return {};
  TParsedLog log = ParseLog(*bytes, now);
  if (log.Dropped > staleLimit) {
    std::string kept;
    for (const THistoryVisit& visit : log.Visits) kept += HistoryLine(visit);
    WriteWholeFile(logPath, kept);
  }
  return std::move(log.Visits);
}

std::vector<THistoryDay> GroupHistory(const std::vector<THistoryVisit>& visits, TLocalTime now) {
  // Visits of the same second are in the order they were appended: the
  // later line is the newer one.
  std::vector<const THistoryVisit*> newestFirst;
  newestFirst.reserve(visits.size());
  for (auto visit = visits.rbegin(); visit != visits.rend(); ++visit) newestFirst.push_back(&*visit);
  std::stable_sort(newestFirst.begin(), newestFirst.end(),
                   [](const THistoryVisit* a, const THistoryVisit* b) { return a->Time > b->Time; });
  const local_days today = floor<days>(now);
  std::vector<THistoryDay> groups;
  std::map<AnsiString, size_t> entryOf;  // address -> entry in the last group
  local_days groupDay{};
  for (const THistoryVisit* visit : newestFirst) {
    const local_days day = floor<days>(visit->Time);
    if (groups.empty() || day != groupDay) {
      groups.push_back({DayCaption(day, today), {}});
      groupDay = day;
      entryOf.clear();
    }
    std::vector<THistoryItem>& entries = groups.back().Entries;
    const auto [found, added] = entryOf.try_emplace(visit->Address, entries.size());
    if (added) entries.push_back({visit->Title, visit->Address});
    THistoryItem& entry = entries[found->second];
    // The latest title wins; an older visit fills in only a missing one.
    if (entry.Caption.empty()) entry.Caption = visit->Title;
  }
  for (THistoryDay& group : groups)
    for (THistoryItem& entry : group.Entries)
      if (entry.Caption.empty()) entry.Caption = entry.Address;
  return groups;
}

}  // namespace folverin
