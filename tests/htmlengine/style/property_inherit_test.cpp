#include <gtest/gtest.h>

#include "htmlengine/style/property_set.h"

namespace folverin {
namespace {

// Sets are derived over whatever an earlier element left in them; that must
// come out as deriving into a fresh set does, whichever slots either held.
TEST(PropertyInherit, DerivingOverAnOldSetEqualsAFreshOne) {
  TProperties busy;
  busy.Tag = "span";
  for (int slot = 0; slot < kPropertyCount; ++slot) busy.SetText(slot, "x");
  busy.Props[Prop::MarginTop] = std::monostate();  // an emptied measure is not IntNull
  busy.Props[Prop::Width] = int32_t{40};
  TProperties plainParent;
  plainParent.Tag = "div";
  plainParent.SetText(Prop::TextAlign, "right");
  plainParent.SetText(Prop::Display, "none");
  plainParent.Props[Prop::Height] = int32_t{5};
  TProperties spanParent = plainParent;
  spanParent.Tag = "span";
  TProperties empty;
  for (const TProperties* parent : {&plainParent, &spanParent, &empty, &busy}) {
    for (const TProperties* before : {&busy, &empty, &plainParent}) {
      TProperties fresh;
      fresh.Inherit(*parent);
      TProperties reused = *before;
      reused.Inherit(*parent);
      EXPECT_TRUE(reused.Props == fresh.Props) << parent->Tag << " over " << before->Tag;
      // And one level further, from what that derivation left.
      TProperties again = *parent;
      again.Inherit(reused);
      TProperties againFresh;
      againFresh.Inherit(reused);
      EXPECT_TRUE(again.Props == againFresh.Props) << parent->Tag << " over " << before->Tag;
    }
  }
  TProperties child;
  child.Inherit(spanParent);
  EXPECT_EQ(*child.TextOf(Prop::Display), "none");
  EXPECT_EQ(child.IntOf(Prop::Height), 5);
  child.Inherit(plainParent);
  EXPECT_TRUE(child.IsEmpty(Prop::Display));
  EXPECT_EQ(child.IntOf(Prop::Height), IntNull);
  EXPECT_EQ(child.IntOf(Prop::ZIndex), 0);
}

}  // namespace
}  // namespace folverin
