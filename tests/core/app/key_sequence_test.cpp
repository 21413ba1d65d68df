#include "app/key_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Outcome = gm::HiddenKeySequence::Outcome;

// The outcomes of typing `keys` (upper-case letters, '\r' Enter, '\x1b' Escape) in order.
std::vector<Outcome> Type(gm::HiddenKeySequence& sequence, const std::string& keys) {
  std::vector<Outcome> out;
  for (char k : keys) out.push_back(sequence.OnKeyDown(static_cast<unsigned char>(k)));
  return out;
}

// Whether typing `keys` on a fresh sequence asks for the notice at its last key, and only there.
bool OpensAtLastKey(const std::string& keys) {
  gm::HiddenKeySequence sequence;
  const std::vector<Outcome> out = Type(sequence, keys);
  for (std::size_t i = 0; i + 1 < out.size(); ++i)
    if (out[i] == Outcome::kShowSupport) return false;
  return !out.empty() && out.back() == Outcome::kShowSupport;
}

TEST(HiddenKeySequence, TheCodeTypedTwiceAsksForTheNoticeOnceAndStartsOver) {
  gm::HiddenKeySequence sequence;
  const std::vector<Outcome> out = Type(sequence, "SUPORSUPOR");
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(out[i], Outcome::kPass) << i;
  EXPECT_EQ(out[9], Outcome::kShowSupport);
  EXPECT_EQ(sequence.State(), 0);
  // A third round alone is not enough: it needs ten keys again.
  EXPECT_EQ(Type(sequence, "SUPOR").back(), Outcome::kPass);
  EXPECT_EQ(Type(sequence, "SUPOR").back(), Outcome::kShowSupport);
}

TEST(HiddenKeySequence, WhichTypingsComplete) {
  struct Case {
    const char* keys;
    bool opens;
  };
  const Case cases[] = {
      {"SUPORSUPOR", true},
      {"XXSUPORSUPOR", true},    // keys before the code do not matter
      {"SUSUPORSUPOR", true},    // the first key starts the code over
      {"SUPORSUSUPOR", false},   // ... except in the second round, where it resets to 1
      {"SUPORSUPORX", false},    // nothing after completion
      {"SUPOSUPOR", false},      // a letter left out
      {"SUPORXSUPOR", false},    // a stray key between the rounds
      {"SUPORSUPXOR", false},    // a stray key in the second round
      {"SUPOR\rSUPOR", false},   // Enter resets
      {"SUP\x1bORSUPOR", false},  // Escape resets
      {"ROPUSROPUS", false},     // the letters in another order
  };
  for (const Case& c : cases) EXPECT_EQ(OpensAtLastKey(c.keys), c.opens) << c.keys;
}

TEST(HiddenKeySequence, SecondRoundRestartsOnTheFirstKey) {
  // "SUPORSUS": after the second round's S U, another S starts over at state 1.
  gm::HiddenKeySequence sequence;
  Type(sequence, "SUPORSU");
  EXPECT_EQ(sequence.State(), 7);
  sequence.OnKeyDown('S');
  EXPECT_EQ(sequence.State(), 1);
}

TEST(HiddenKeySequence, EnterAndEscapeAreSwallowedAndReset) {
  gm::HiddenKeySequence sequence;
  Type(sequence, "SUPORSUPO");
  EXPECT_EQ(sequence.OnKeyDown(13), Outcome::kSwallow);
  EXPECT_EQ(sequence.State(), 0);
  Type(sequence, "SUP");
  EXPECT_EQ(sequence.OnKeyDown(27), Outcome::kSwallow);
  EXPECT_EQ(sequence.State(), 0);
  EXPECT_EQ(sequence.OnKeyDown('A'), Outcome::kPass);
}

TEST(HiddenKeySequence, AnotherCodeIsFollowedAsGiven) {
  gm::HiddenKeySequence sequence({'Q', 'W', 'E', 'R', 'T'});
  EXPECT_EQ(Type(sequence, "SUPORSUPOR").back(), Outcome::kPass);
  EXPECT_EQ(Type(sequence, "QWERTQWERT").back(), Outcome::kShowSupport);
}

}  // namespace
