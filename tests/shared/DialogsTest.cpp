#include <gtest/gtest.h>

#include "shared/ScriptedDialogs.h"

using namespace tarvisol;

TEST(ScriptedDialogs, RecordsMessagesAndAnswersFromTheQueue) {
    ScriptedDialogs d;
    d.Answer(Answer::Yes).Text("Demo");
    d.Message("Need Diets");
    EXPECT_EQ(d.Ask("Do you want to save the changes to file?", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(d.Input("Name?"), "Demo");
    EXPECT_EQ(d.Messages(), std::vector<std::string>{"Need Diets"});
    EXPECT_EQ(d.Log().size(), 3u);
    EXPECT_TRUE(d.Exhausted());
}

TEST(ScriptedDialogs, AnUnexpectedQuestionFails) {
    ScriptedDialogs d;
    EXPECT_THROW(d.Ask("Sure?", Buttons::YesNo), UnexpectedDialog);
    EXPECT_THROW(d.OpenFile("Select a Temperature File", "*.stg", ".", "*.stg"), UnexpectedDialog);
    d.Answer(Answer::Cancel);
    EXPECT_THROW(d.Ask("Yes or no only", Buttons::YesNo), UnexpectedDialog);
}
