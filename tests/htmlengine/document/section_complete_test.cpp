#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "htmlengine/document_test_tree.h"

namespace folverin {
namespace {

using test::TDocumentTree;
using test::TokenOf;

// A section's text written out one character at a time, cleaned up by the
// rules exactly as they read, one deletion after the other. The section's
// own clean-up skips what cannot change anything and works in passes; both
// must come to the same text.
class TReferenceText {
 public:
  struct TChar {
    char16_t Ch;
    char Flag;
    int32_t Source;
  };

  void Append(std::u16string_view text, int32_t source, bool keepTogether) {
    for (char16_t ch : text) Chars.push_back({ch, keepTogether ? 'n' : 'y', source++});
  }
  void AddFloat(bool floating) { Floats.push_back({static_cast<int>(Chars.size()), floating}); }
  void StartFontRun() {
    if (FontRuns.back() != static_cast<int>(Chars.size())) FontRuns.push_back(static_cast<int>(Chars.size()));
  }

  void Complete() {
    while (!Chars.empty() && Chars[0].Ch == u' ') Delete(0);
    for (bool again = true; again;) {
      again = false;
      for (size_t i = 0; i + 1 < Chars.size() && !again; ++i)
        if (Chars[i].Ch == u' ' && Chars[i + 1].Ch == u' ') {
          Delete(Chars[i].Flag == 'n' ? i : i + 1);
          again = true;
        }
    }
    for (size_t i = Chars.size(); i-- > 1;)
      if (Chars[i].Ch == u' ' && Chars[i - 1].Ch == kImageMarker && IsFloatingAt(i - 1)) Delete(i);
    for (size_t i = Chars.size(); i-- > 1;)
      if (Chars[i - 1].Ch == u' ' && Chars[i].Ch == kBreakMarker) Delete(i - 1);
    for (size_t i = Chars.size(); i-- > 1;)
      if (Chars[i - 1].Ch == kBreakMarker && Chars[i].Ch == u' ') Delete(i);
  }

  std::u16string Text() const {
    std::u16string text;
    for (const TChar& ch : Chars) text += ch.Ch;
    return text;
  }
  std::string Flags() const {
    std::string flags;
    for (const TChar& ch : Chars) flags += ch.Flag;
    return flags;
  }
  std::vector<std::pair<int, int32_t>> Runs() const {
    std::vector<std::pair<int, int32_t>> runs;
    for (size_t i = 0; i < Chars.size(); ++i)
      if (i == 0 || Chars[i].Source != Chars[i - 1].Source + 1)
        runs.push_back({static_cast<int>(i), Chars[i].Source});
    return runs;
  }

  std::vector<TChar> Chars;
  std::vector<std::pair<int, bool>> Floats;  // index of the marker, floating
  std::vector<int> FontRuns{0};

 private:
  bool IsFloatingAt(size_t index) const {
    for (const auto& [at, floating] : Floats)
      if (at == static_cast<int>(index)) return floating;
    return false;
  }
  // Whatever begins after the character moves one index down.
  void Delete(size_t index) {
    Chars.erase(Chars.begin() + static_cast<std::ptrdiff_t>(index));
    for (auto& [at, floating] : Floats)
      if (at > static_cast<int>(index)) --at;
    for (int& at : FontRuns)
      if (at > static_cast<int>(index)) --at;
  }
};

// Writes random pieces into a section and the reference alike.
void WriteRandomPieces(std::mt19937& random, TDocumentTree& tree, TSection& section,
                       TReferenceText& reference, int32_t& source) {
  const std::u16string alphabet = u"ab  -";
  const int pieces = static_cast<int>(random() % 8);
  for (int p = 0; p < pieces; ++p) {
    source += static_cast<int32_t>(random() % 3);  // a tag or entity in between, or none
    const bool keepTogether = random() % 4 == 0;
    switch (random() % 6) {
      case 0:
        section.AppendChar(kBreakMarker, source, {.KeepTogether = keepTogether});
        reference.Append(std::u16string(1, kBreakMarker), source++, keepTogether);
        break;
      case 1: {
        auto image = std::make_unique<TImageObj>();
        const bool floating = random() % 2 == 0;
        if (floating) image->ObjAlign = kAlignLeftFloat;
        reference.AddFloat(floating);
        section.InsertFloat(std::move(image), source, {.KeepTogether = keepTogether});
        reference.Append(std::u16string(1, kImageMarker), source++, keepTogether);
        break;
      }
      case 2:
        section.StartFontRun(tree.PropsFor("default"));
        reference.StartFontRun();
        break;
      default: {
        std::u16string text;
        for (int n = 1 + static_cast<int>(random() % 6); n > 0; --n) text += alphabet[random() % alphabet.size()];
        section.AppendText(TokenOf(text, source), {.KeepTogether = keepTogether});
        reference.Append(text, source, keepTogether);
        source += static_cast<int32_t>(text.size());
      }
    }
  }
}

void ExpectSameAsReference(const TSection& section, const TReferenceText& reference, int round) {
  ASSERT_EQ(std::u16string_view(section.Text), reference.Text()) << "round " << round;
  EXPECT_EQ(std::string_view(section.BreakFlags), reference.Flags() + "y") << "round " << round;
  ASSERT_EQ(section.SourceRuns.size(), reference.Runs().size()) << "round " << round;
  for (size_t r = 0; r < section.SourceRuns.size(); ++r) {
    EXPECT_EQ(section.SourceRuns[r].Pos, reference.Runs()[r].first) << "round " << round;
    EXPECT_EQ(section.SourceRuns[r].Index, reference.Runs()[r].second) << "round " << round;
  }
  ASSERT_EQ(section.Floats.size(), reference.Floats.size());
  for (size_t f = 0; f < section.Floats.size(); ++f)
    EXPECT_EQ(section.Floats[f]->Pos, reference.Floats[f].first) << "round " << round;
  ASSERT_EQ(section.FontRuns.size(), reference.FontRuns.size());
  for (size_t r = 0; r < section.FontRuns.size(); ++r)
    EXPECT_EQ(section.FontRuns[r].Pos, reference.FontRuns[r]) << "round " << round;
}

// Many sections one after the other in one document, as the builder makes
// them, some written to again after they were finished.
TEST(SectionCompleteTest, CleanUpAgreesWithTheRulesAppliedOneAtATime) {
  std::mt19937 random(20261209);
  TDocumentTree tree;
  for (int round = 0; round < 3000; ++round) {
    auto section = tree.NewSection();
    TReferenceText reference;
    int32_t source = static_cast<int32_t>(random() % 100);
    WriteRandomPieces(random, tree, *section, reference, source);
    if (!section->HasSourceIndexes()) continue;  // nothing written
    section->Complete();
    reference.Complete();
    ExpectSameAsReference(*section, reference, round);
    if (random() % 4 == 0) {
      WriteRandomPieces(random, tree, *section, reference, source);
      if (!section->HasSourceIndexes()) continue;  // no text again: stays finished
      section->Complete();
      reference.Complete();
      ExpectSameAsReference(*section, reference, round);
    }
    if (HasFailure()) return;
  }
}

TEST(SectionCompleteTest, SourceRunsOfLongTextAgreeWithTheReference) {
  // Runs far longer than the short pieces above, of every length, some
  // joined across pieces and some ending exactly at the text's end.
  std::mt19937 random(1209);
  TDocumentTree tree;
  for (int round = 0; round < 400; ++round) {
    auto section = tree.NewSection();
    TReferenceText reference;
    int32_t source = static_cast<int32_t>(random() % 100);
    const int pieces = 1 + static_cast<int>(random() % 6);
    for (int p = 0; p < pieces; ++p) {
      // No gap between two pieces continues the run: the runs then come
      // out longer than the pieces.
      source += static_cast<int32_t>(random() % 3);
      std::u16string text(1 + random() % 70, u'a');
      if (random() % 3 == 0) text[random() % text.size()] = u' ';
      section->AppendText(TokenOf(text, source), {});
      reference.Append(text, source, false);
      source += static_cast<int32_t>(text.size());
    }
    section->Complete();
    reference.Complete();
    ExpectSameAsReference(*section, reference, round);
    if (HasFailure()) return;
  }
}

TEST(SectionCompleteTest, SourcePositionsOfSectionsBuiltSideBySide) {
  // Two sections written in turn: neither may see the other's positions,
  // whichever of them is finished first.
  TDocumentTree tree;
  auto first = tree.NewSection();
  auto second = tree.NewSection();
  first->AppendText(TokenOf(u"abc", 10), {});
  second->AppendText(TokenOf(u"xy", 500), {});
  first->AppendText(TokenOf(u"de", 20), {});
  first->Complete();
  auto third = tree.NewSection();
  third->AppendText(TokenOf(u"uvw", 900), {});
  second->AppendText(TokenOf(u"z", 502), {});
  second->Complete();
  third->Complete();
  first->TextStart = 0;
  second->TextStart = 0;
  third->TextStart = 0;
  EXPECT_EQ(first->SourceOfPosition(2), 12);
  EXPECT_EQ(first->SourceOfPosition(3), 20);
  EXPECT_EQ(second->SourceOfPosition(2), 502);
  ASSERT_EQ(second->SourceRuns.size(), 1u);
  EXPECT_EQ(third->SourceOfPosition(0), 900);
  ASSERT_EQ(third->SourceRuns.size(), 1u);
  EXPECT_FALSE(first->HasSourceIndexes());
}

}  // namespace
}  // namespace folverin
