// A named input NAME=VALUE does what the user's action on that control does,
// and a refused one changes nothing.
#include "measuring_point/named_input.h"

#include <gtest/gtest.h>

#include <string>

#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

TEST(NamedInput, DoesWhatTheUsersActionDoes) {
  TestPoint named;
  TestPoint hands;
  auto& in = hands.s.in;
  const char* inputs[] = {"Raschet=1", "metod=0", "sostav[1,1]=96", "sostav[1,2]=2", "sostav[1,6]=1",
                          "TipPogrMetan=1", "Tstr=-", "Tstr=12,5", "PizbEd=2", "PizbStr=3", "PbarStr=101325",
                          "Qstr=1000", "TauStr=24", "pr_IK=0", "dP1sisstr=0,5+0,1", "Button46=click"};
  for (const char* input : inputs) {
    EXPECT_EQ(applyNamedInput(named.s, input, TextCheck::Strict), "") << input;
  }
  hands.choose(in.Raschet, 1);
  hands.choose(in.metod, 0);
  hands.cell(in.sostav, 1, 1, "96");
  hands.cell(in.sostav, 1, 2, "2");
  hands.cell(in.sostav, 1, 6, "1");
  hands.check(in.TipPogrMetan, true);
  hands.type(in.Tstr, "-");
  hands.type(in.Tstr, "12,5");
  hands.choose(in.PizbEd, 2);
  hands.type(in.PizbStr, "3");
  hands.type(in.PbarStr, "101325");
  hands.type(in.Qstr, "1000");
  hands.type(in.TauStr, "24");
  hands.check(in.pr_IK, false);
  hands.type(in.dP1sisstr, "0,5+0,1");
  pressButton(hands.s, in.Button46);
  named.settle();
  hands.settle();
  ASSERT_FALSE(hands.memo1().empty());
  EXPECT_EQ(named.memo1(), hands.memo1());
  EXPECT_EQ(named.memo2(), hands.memo2());
  for (Control* c : in.registry.all()) {
    const Control& twin = *named.s.in.registry.find(c->name());
    EXPECT_EQ(twin.shown(), c->shown()) << c->name();
    if (c->kind() == ControlKind::Edit) {
      EXPECT_EQ(static_cast<const Edit&>(twin).text(), static_cast<const Edit&>(*c).text()) << c->name();
    }
  }
}

TEST(NamedInput, ARefusedTextChangesNothingAndALenientOneIsRevertedAsInTheWindow) {
  TestPoint p;
  auto& in = p.s.in;
  p.type(in.Tstr, "20");
  p.settle();
  const auto before = p.memo1();
  in.InputChanged = false;
  EXPECT_EQ(applyNamedInput(p.s, "Tstr=25.5", TextCheck::Strict),
            "'Tstr' does not take the text '25.5': it is no number with the decimal separator ','");
  EXPECT_FALSE(p.timer.running());
  EXPECT_FALSE(in.InputChanged);
  EXPECT_EQ(in.Tstr.text(), "20");

  EXPECT_EQ(applyNamedInput(p.s, "Tstr=25.5", TextCheck::Lenient), "");
  EXPECT_TRUE(p.timer.running());
  EXPECT_EQ(in.Tstr.text(), "20");
  EXPECT_DOUBLE_EQ(in.Tstr.value, 20);
  p.settle();
  EXPECT_EQ(p.memo1(), before);
}

TEST(NamedInput, QuotedTextsStayOnOneShortLine) {
  EXPECT_EQ(quotedInput("25.5"), "'25.5'");
  EXPECT_EQ(quotedInput("a\nb\tc"), "'a?b?c'");
  // 200 characters, not bytes: Cyrillic letters take two bytes each.
  std::string cyrillic;
  for (int i = 0; i < 300; ++i) cyrillic += "д";
  std::string expected = "'";
  for (int i = 0; i < 200; ++i) expected += "д";
  EXPECT_EQ(quotedInput(cyrillic), expected + "...'");
  EXPECT_EQ(quotedInput(std::string(200, 'x')), "'" + std::string(200, 'x') + "'");
}

}  // namespace
}  // namespace velmar
