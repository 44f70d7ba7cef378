#include "htmlengine/document/id_name_list.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlengine/document_test_tree.h"
#include "htmlengine/tokenizer/html_attributes.h"

namespace folverin {
namespace {

using test::TDocumentTree;

TEST(DocumentIdNamesTest, NamesIgnoreCaseAndTheLastOneWins) {
  TDocumentTree tree;
  TIDNameList& names = tree.Doc.IDNames;
  names.AddChPosObject("Kapitel", 40);
  auto* position = dynamic_cast<TChPosObj*>(names.Find("KAPITEL"));
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(position->SourcePosition, 40);

  TAttributeList attributes;
  attributes.Add({THtmlAttribute::ID, "ID", "kapitel", 0});
  TBlock* block = tree.Add(tree.Body->Cell, std::make_unique<TBlock>(
      &tree.Doc, &tree.Body->Cell, tree.PropsFor("div"), &attributes));
  EXPECT_EQ(names.Find("Kapitel"), block);
  EXPECT_EQ(names.Count(), 1);

  names.AddChPosObject("KAPITEL", 90);
  position = dynamic_cast<TChPosObj*>(names.Find("kapitel"));
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(position->SourcePosition, 90);
  EXPECT_EQ(names.Find("kap"), nullptr);

  // The block lost its only name: freeing it leaves the position alone,
  // and a position taking over another position's name replaces it.
  names.AddObject("Block", block);
  tree.Doc.FreeItems();
  EXPECT_EQ(names.Find("block"), nullptr);
  position = dynamic_cast<TChPosObj*>(names.Find("Kapitel"));
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(position->SourcePosition, 90);
  names.AddChPosObject("kapitel", 120);
  EXPECT_EQ(dynamic_cast<TChPosObj*>(names.Find("KAPITEL"))->SourcePosition, 120);
  EXPECT_EQ(names.Count(), 1);
}

TEST(DocumentIdNamesTest, FreedObjectsLeaveTheRegistry) {
  TDocumentTree tree;
  TIDNameList& names = tree.Doc.IDNames;
  TSection* section = tree.AddText(tree.Body->Cell, u"Text");
  section->RegisterAnchorName("A1");
  names.AddObject("ALSO", section);
  names.AddChPosObject("POS", 3);
  ASSERT_EQ(names.Count(), 3);

  // The body goes, and the section with it.
  tree.Doc.FreeItems();
  EXPECT_EQ(names.Find("A1"), nullptr);
  EXPECT_EQ(names.Find("ALSO"), nullptr);
  EXPECT_EQ(names.Count(), 1);

  // A name moved to another object stays when the first one goes.
  TDocumentTree other;
  auto first = other.NewSection();
  auto second = other.NewSection();
  other.Doc.IDNames.AddObject("X", first.get());
  other.Doc.IDNames.AddObject("x", second.get());
  first.reset();
  EXPECT_EQ(other.Doc.IDNames.Find("X"), second.get());
  second.reset();
  EXPECT_EQ(other.Doc.IDNames.Count(), 0);

  tree.Doc.Clear();
  EXPECT_EQ(names.Count(), 0);
  EXPECT_EQ(tree.Doc.Count(), 0);
}

TEST(DocumentIdNamesTest, AnObjectTakesExactlyItsOwnNamesAlong) {
  TDocumentTree tree;
  TIDNameList& names = tree.Doc.IDNames;
  auto first = tree.NewSection();
  auto second = tree.NewSection();
  for (const char* name : {"a", "b", "c", "d"}) names.AddObject(name, first.get());
  // Names in the middle and at either end of the object's list go to others,
  // and one is given to the same object again.
  names.AddObject("B", second.get());
  names.AddChPosObject("D", 5);
  names.AddObject("a", first.get());
  names.AddObject("e", second.get());
  EXPECT_EQ(names.Count(), 5);
  first.reset();
  EXPECT_EQ(names.Find("a"), nullptr);
  EXPECT_EQ(names.Find("c"), nullptr);
  EXPECT_EQ(names.Find("b"), second.get());
  EXPECT_EQ(names.Find("E"), second.get());
  ASSERT_NE(dynamic_cast<TChPosObj*>(names.Find("d")), nullptr);
  EXPECT_EQ(dynamic_cast<TChPosObj*>(names.Find("d"))->SourcePosition, 5);
  EXPECT_EQ(names.Count(), 3);

  // Registered with another document, the object leaves the first one, so
  // that no name of either leads to it once it is gone.
  TDocumentTree other;
  other.Doc.IDNames.AddObject("elsewhere", second.get());
  EXPECT_EQ(names.Find("b"), nullptr);
  EXPECT_EQ(names.Find("e"), nullptr);
  EXPECT_EQ(other.Doc.IDNames.Find("ELSEWHERE"), second.get());
  second.reset();
  EXPECT_EQ(other.Doc.IDNames.Count(), 0);
  EXPECT_EQ(names.Count(), 1);

  // Emptying the registry releases the objects still named: they can be
  // named again and freed afterwards.
  auto third = tree.NewSection();
  names.AddObject("f", third.get());
  names.AddObject("g", third.get());
  names.Clear();
  names.AddObject("h", third.get());
  third.reset();
  EXPECT_EQ(names.Count(), 0);
}

TEST(DocumentIdNamesTest, ARegistryEmptiedAfterManyNamesWorksAsNew) {
  TDocumentTree tree;
  TIDNameList& names = tree.Doc.IDNames;
  // Many names, then few, then many again: each emptying leaves nothing,
  // whether the tables are cleared or started afresh.
  for (int round = 0; round < 3; ++round) {
    const int count = round == 1 ? 3 : 5000;
    auto section = tree.NewSection();
    for (int i = 0; i < count; ++i) names.AddChPosObject("pos" + std::to_string(i), i);
    names.AddObject("Abschnitt", section.get());
    ASSERT_EQ(names.Count(), count + 1) << round;
    EXPECT_EQ(dynamic_cast<TChPosObj*>(names.Find("POS2"))->SourcePosition, 2) << round;
    EXPECT_EQ(names.Find("abschnitt"), section.get()) << round;
    names.Clear();
    EXPECT_EQ(names.Count(), 0) << round;
    EXPECT_EQ(names.Find("pos2"), nullptr) << round;
    EXPECT_EQ(names.Find("Abschnitt"), nullptr) << round;
    // The section no longer belongs to the registry: freeing it and
    // reusing its name touch nothing that is gone.
    section.reset();
    names.AddChPosObject("Abschnitt", 7);
    EXPECT_EQ(dynamic_cast<TChPosObj*>(names.Find("ABSCHNITT"))->SourcePosition, 7) << round;
    names.Clear();
  }
}

}  // namespace
}  // namespace folverin
