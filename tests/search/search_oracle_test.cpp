// The document search against an oracle: a plain transcription of the
// documented term test (each term tested on the whole upper-cased text,
// character by character) and of the documented walk and page, compared on
// generated collections and queries. Any difference in hits, their order or
// a single byte of the page is a fault of the fast search.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "app/app_settings.h"
#include "search/document_search.h"
#include "search/search_parser.h"
#include "search/search_term.h"
#include "search/documented_term.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using TSearchTestFolder = folverin::testing::TempFolder;
namespace fs = std::filesystem;

// ---- the oracle -----------------------------------------------------------

std::string OracleUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string OracleExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  const size_t slash = name.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && slash > dot)) return "";
  return OracleUpper(name.substr(dot));
}

std::string OraclePrepare(const std::string& term) {
  size_t first = 0, last = term.size();
  while (first < last && static_cast<unsigned char>(term[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(term[last - 1]) <= 32) --last;
  std::string result;
  for (char c : OracleUpper(term.substr(first, last - first))) {
    switch (static_cast<unsigned char>(c)) {
      case 196: case 228: result += "&AUML;"; break;
      case 214: case 246: result += "&OUML;"; break;
      case 220: case 252: result += "&UUML;"; break;
      case 223: result += "&SZLIG;"; break;
      default: result += c;
    }
  }
  return result;
}

class TOracle {
 public:
  bool ContainsTerm(const std::string& file, const std::string& term) {
    const std::string p = OraclePrepare(term);
    const std::string ext = OracleExtension(file);
    std::string d;
    if (ext == ".HTM" || ext == ".HTML") {
      d = Bytes(file);
      d = OracleUpper(d.substr(0, d.find('\0')));
    }
    return testing::DocumentedStretchesContain(d, p);
  }

  bool Evaluate(const TParser& parser, const std::string& file) {
    if (parser.Terms().empty()) return false;
    std::vector<bool> matches;
    for (const AnsiString& term : parser.Terms()) matches.push_back(ContainsTerm(file, term));
    std::vector<bool> stack;
    auto pop = [&] {
      const bool v = stack.back();
      stack.pop_back();
      return v;
    };
    for (const TProgramStep& step : parser.Program()) {
      if (step.Kind == tokTerm) {
        stack.push_back(matches[step.TermIndex]);
      } else if (step.Kind == tokNot) {
        stack.push_back(!pop());
      } else {
        const bool b = pop(), a = pop();
        stack.push_back(step.Kind == tokAnd ? (a && b) : (a || b));
      }
    }
    return pop();
  }

 private:
  // Documents do not change between queries; reading each once keeps the
  // oracle fast without changing what it computes.
  const std::string& Bytes(const std::string& file) {
    auto it = cache_.find(file);
    if (it == cache_.end()) {
      std::ifstream in(file, std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      it = cache_.emplace(file, bytes.str()).first;
    }
    return it->second;
  }
  std::map<std::string, std::string> cache_;
};

struct TOracleDocument {
  std::string Folder;  // ends in "/"
  std::string Name;
  uint32_t Size = 0;
};

std::string SortKey(const std::string& name) { return OracleUpper(name) + '\0' + name; }

// Depth-first: a folder's documents (names compared ignoring ASCII case)
// before its sub-folders.
void OracleWalk(const std::string& folder, std::vector<TOracleDocument>& documents) {
  std::vector<fs::directory_entry> entries(fs::directory_iterator(folder), {});
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return SortKey(a.path().filename().string()) < SortKey(b.path().filename().string());
  });
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    const std::string ext = OracleExtension(name);
    if (ext == ".HTM" || ext == ".HTML" || ext == ".HCM" || ext == ".HCML") {
      documents.push_back({folder, name, static_cast<uint32_t>(entry.file_size())});
    }
  }
  for (const auto& entry : entries) {
    if (entry.is_directory()) OracleWalk(entry.path().string() + "/", documents);
  }
}

std::string OracleEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

struct TOracleOutcome {
  std::vector<AnsiString> Hits;
  std::vector<AnsiString> Page;
};

TOracleOutcome OracleSearch(TOracle& oracle, const TParser& parser, const TAppSettings& settings,
                            const std::vector<TOracleDocument>& documents) {
  TOracleOutcome outcome;
  outcome.Page = {"<HTML>", "<HEAD>", "  <TITLE>Suchergebnisse</TITLE>", "</HEAD>", "",
                  settings.SearchBody, settings.SearchHeader};
  uint32_t bytes = 0;
  for (const TOracleDocument& document : documents) {
    bytes += document.Size;
    const std::string excluded = OracleUpper(settings.ExcludePath);
    if (settings.UseExcludePath &&
        OracleUpper(document.Folder.substr(0, excluded.size())) == excluded) {
      continue;
    }
    const std::string path = document.Folder + document.Name;
    if (!oracle.Evaluate(parser, path)) continue;
    outcome.Hits.push_back(path);
    std::string link = "<A HREF=\"" + OracleEscape(path) + "\"";
    if (!settings.SearchTargetWindow.empty()) link += " TARGET=" + settings.SearchTargetWindow;
    outcome.Page.insert(outcome.Page.end(), {settings.SearchBeginEntry,
                                             link + "> " + OracleEscape(path) + "</A>",
                                             settings.SearchEndEntry});
  }
  if (settings.ShowPerformance) {
    // The walk takes 0 ms here; the throughput divides by 1 ms instead.
    const std::string volume = bytes >= 1048576 ? std::to_string(bytes >> 20) + " MByte"
                                                : std::to_string(bytes >> 10) + " KByte";
    outcome.Page.insert(
        outcome.Page.end(),
        {"", "<HR><P><SMALL>",
         "0 ms f\xFCr " + std::to_string(documents.size()) + " HTML-Dokumente.<BR>",
         "Datenvolumen " + volume + ".<BR>",
         "Datendurchsatz " + std::to_string(static_cast<uint32_t>(bytes * 1000u) >> 10) +
             " KByte/sec.<BR>",
         "</SMALL></P><HR>"});
  }
  outcome.Page.insert(outcome.Page.end(), {settings.SearchFooter, "</BODY>", "</HTML>", "", ""});
  return outcome;
}

// ---- generated collections and queries ---------------------------------

class TGenerator {
 public:
  explicit TGenerator(unsigned seed) : random_(seed) {}

  int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  template <typename T>
  const T& Pick(const std::vector<T>& items) { return items[Below(static_cast<int>(items.size()))]; }

  std::string RandomCase(std::string text) {
    for (char& c : text) {
      if (Below(2) == 0) continue;
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
      else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return text;
  }

  std::string Document() {
    static const std::vector<std::string> words = {
        "haus", "garten", "hof", "m&uuml;ller", "M\xFCller", "stra&szlig;e", "stra\xDF" "e",
        "a>b", "x", "caf&eacute;", "&Auml;rger", "\xC4rger", "und", "p", "haus und hof",
        "gartenhaus", "hofx", "&ouml;l", "class"};
    std::string html;
    const int pieces = Below(40);
    for (int i = 0; i < pieces; ++i) {
      switch (Below(16)) {
        case 0: html += "<p>"; break;
        case 1: html += "</p>"; break;
        case 2: html += "<b>"; break;
        case 3: html += "<a href=\"" + RandomCase(Pick(words)) + "\">"; break;
        case 4: html += "<img alt='" + Pick(words) + "'>"; break;
        case 5: html += "<!-- " + Pick(words) + " -->"; break;
        case 6: html += ">"; break;
        case 7: html += Below(4) == 0 ? std::string(1, '\0') : "\r\n"; break;
        case 8: html += "<"; break;
        default: html += RandomCase(Pick(words)) + (Below(2) ? " " : ""); break;
      }
    }
    // A tag left open to the end, with a "<" inside it.
    if (Below(4) == 0) html += "<i " + RandomCase(Pick(words)) + " <" + Pick(words);
    return html;
  }

  std::string Term() {
    static const std::vector<std::string> terms = {
        "haus", "GARTEN", "hof", "m\xFCller", "M\xDCLLER", "stra\xDF" "e", "a>b", "x",
        "caf&eacute;", "\xE4rger", "und", "'haus und'", "'und hof'", "'  '", "'<p'", "p",
        "class", "'hof<'", "'haus und hof'", "&ouml;l", "\xF6l", "'gartenhaus'", "hofx",
        "'ller'", "'hof'"};
    return Pick(terms);
  }

  std::string Operator(const char* keyword) { return RandomCase(keyword); }

  std::string Expression(int depth) {
    const int choice = depth > 3 ? 0 : Below(6);
    switch (choice) {
      case 1: return Expression(depth + 1) + " " + Operator("and") + " " + Expression(depth + 1);
      case 2: return Expression(depth + 1) + " " + Operator("or") + " " + Expression(depth + 1);
      case 3: return Operator("not") + " " + Expression(depth + 1);
      case 4: return "(" + Expression(depth + 1) + ")";
      default: return Term();
    }
  }

  std::string Query() {
    if (Below(10) > 0) return Expression(0) + (Below(8) == 0 ? " " + Term() : "");
    std::string soup;  // often malformed
    for (int n = Below(5) + 1; n > 0; --n) {
      static const std::vector<std::string> tokens = {"(", ")", "and", "or", "not", "haus", "'x"};
      soup += Pick(tokens) + " ";
    }
    return soup;
  }

  void Collection(const TSearchTestFolder& folder) {
    static const std::vector<std::string> folders = {"", "sub/", "Intern/", "internes/",
                                                     "Zeta/", "alpha/deep/", "intern/x/"};
    static const std::vector<std::string> names = {
        "a.htm", "B.HTML", "c.hcm", "D.HCML", "e.txt", "f.html5", "g.Htm", "h.html",
        "x&y.htm", "q\"uote.htm", "_z.htm", "Zz.HTM", "m.htm", "n.html", "o.htm"};
    for (const std::string& sub : folders) {
      for (const std::string& name : names) {
        if (Below(3) == 0) continue;
        if (sub == "internes/" && name == "a.htm") continue;  // "Intern" vs "internes" clash is fine
        folder.Write(sub + name, Document());
      }
    }
  }

  TAppSettings Settings(const std::string& appFolder) {
    TAppSettings settings;
    settings.AppFolder = appFolder;
    settings.SearchBody = Below(2) ? "<BODY>" : "<BODY BGCOLOR=\"#fff\">";
    settings.SearchHeader = Below(2) ? "" : "<H1>Suche & Treffer</H1>";
    settings.SearchFooter = Below(2) ? "" : "<P>Ende</P>";
    settings.SearchBeginEntry = Below(2) ? "" : "<LI>";
    settings.SearchEndEntry = Below(2) ? "" : "</LI>";
    settings.SearchTargetWindow = Below(2) ? "" : "rechts";
    settings.ShowPerformance = Below(2) == 0;
    settings.UseExcludePath = Below(2) == 0;
    settings.ExcludePath = appFolder + "INTERN";
    return settings;
  }

 private:
  std::mt19937 random_;
};

TEST(SearchOracle, FastSearchEqualsTheDocumentedAlgorithm) {
  int compared = 0;
  int withHits = 0;
  int queryErrors = 0;
  for (unsigned seed = 1; seed <= 5; ++seed) {
    TSearchTestFolder folder;
    TGenerator generator(seed);
    generator.Collection(folder);
    std::vector<TOracleDocument> documents;
    OracleWalk(folder.Path(), documents);
    TOracle oracle;
    TSearchCounters counters;
    TDocumentSearch search(counters);
    search.Hooks.TickCount = [] { return 77u; };
    TParser parser;
    for (int i = 0; i < 240; ++i) {
      const std::string query = generator.Query();
      const TAppSettings settings = generator.Settings(folder.Path());
      const TSearchOutcome outcome = search.Run(settings, parser, query);
      if (outcome.QueryError) {
        ++queryErrors;
        continue;
      }
      const TOracleOutcome expected = OracleSearch(oracle, parser, settings, documents);
      ASSERT_EQ(outcome.Hits, expected.Hits) << "seed " << seed << " query [" << query << "]";
      ASSERT_EQ(outcome.ResultPage, expected.Page) << "seed " << seed << " query [" << query << "]";
      ASSERT_EQ(counters.SearchDocCount, static_cast<int32_t>(documents.size()));
      EXPECT_TRUE(outcome.Unreadable.empty());
      ++compared;
      if (!expected.Hits.empty() && expected.Hits.size() < documents.size()) ++withHits;
    }
  }
  EXPECT_GE(compared, 1000);
  // The generator must produce queries that tell documents apart.
  EXPECT_GE(withHits, compared / 2);
  EXPECT_GT(queryErrors, 0);
}

// The term test alone, on many more documents than the walk can afford.
TEST(SearchOracle, TermMatcherEqualsTheDocumentedTermTest) {
  TSearchTestFolder folder;
  TGenerator generator(99);
  TOracle oracle;
  int found = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string file = folder.Write("d" + std::to_string(i) + ".htm", generator.Document());
    for (int t = 0; t < 6; ++t) {
      const std::string term = generator.Term();
      const bool expected = oracle.ContainsTerm(file, term);
      ASSERT_EQ(DocumentContainsTerm(file, term), expected) << file << " [" << term << "]";
      found += expected;
    }
  }
  EXPECT_GT(found, 100);
}

}  // namespace
}  // namespace folverin
