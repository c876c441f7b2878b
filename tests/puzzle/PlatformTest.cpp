#include <gtest/gtest.h>

#include "ScriptedPlatform.h"

TEST(Platform, ScriptedPlatformRecordsBoxesAndAnswersFromItsScript) {
  TScriptedPlatform platform;
  platform.Answer(TMessageResult::Yes);
  EXPECT_EQ(
      CurrentPlatform().ShowMessage("C", "first?", TMessageButtons::YesNo, TMessageIcon::Question),
      TMessageResult::Yes);
  EXPECT_EQ(
      CurrentPlatform().ShowMessage("C", "second?", TMessageButtons::YesNo, TMessageIcon::Question),
      TMessageResult::No);
  EXPECT_EQ(platform.unanswered, 1);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text, "second?");
}

TEST(Platform, ScriptedPlatformRestoresThePreviousOneWhenItGoes) {
  TPlatform* outer = nullptr;
  {
    TScriptedPlatform first;
    outer = &CurrentPlatform();
    {
      TScriptedPlatform second;
      EXPECT_EQ(&CurrentPlatform(), &second);
    }
    EXPECT_EQ(&CurrentPlatform(), outer);
  }
  EXPECT_NE(&CurrentPlatform(), outer);
}
