#include <gtest/gtest.h>

#include "TestDocument.h"
#include "document/NonFile.h"
#include "document/XmlFile.h"

namespace {

// The example of the manual: a set of two puzzles, the second the boat with
// its own characters, a goal and a saved state.
const std::string kSet = R"(<?xml version="1.0"?>
<puzzleset>
<puzzle>
<title>Dot</title>
<clues type="columns"><line><count>1</count></line></clues>
<clues type="rows"><line><count>1</count></line></clues>
</puzzle>
<puzzle type="grid" defaultcolor="black">
<source>drawn for the manual</source>
<id>pixlers example 1</id>
<title>A small boat</title>
<author>A. Painter &amp; Co.</author>
<copyright>none</copyright>
<color name="white" char="-">fff</color>
<color name="black" char="#">000</color>
<clues type="columns">
<line><count>1</count></line>
<line><count>1</count><count>1</count></line>
<line><count>2</count><count>1</count></line>
<line><count>1</count><count>1</count></line>
<line><count>1</count></line>
</clues>
<clues type="rows">
<line><count>1</count></line>
<line><count>3</count></line>
<line></line>
<line><count>5</count></line>
</clues>
<solution type="goal">
<image>
|--#--|
|-###-|
|-----|
|#####|
</image>
</solution>
<solution type="saved">
<image>
|??#??|
|?[#-]??[-]|
|?????|
|#####|
</image>
</solution>
</puzzle>
</puzzleset>
)";

TEST(XmlFileTest, ReadsTheManualsExampleByIndex) {
  const ExchangePuzzle dot = XmlFile::Parse(kSet, "set.xml");
  EXPECT_EQ(dot.data->width, 1);
  EXPECT_EQ(dot.data->height, 1);
  EXPECT_EQ(dot.metadata.title, "Dot");
  EXPECT_TRUE(dot.goal.empty());

  const ExchangePuzzle boat = XmlFile::Parse(kSet, "set.xml", 2);
  const ExchangePuzzle expected = NonFile::Parse(
      "width 5\nheight 4\nrows\n1\n3\n0\n5\ncolumns\n1\n1,1\n2,1\n1,1\n1\n"
      "goal \"00100011100000011111\"\nsaved \"??1??????0?????11111\"\n",
      "boat.non");
  EXPECT_EQ(NonFile::Format(boat),
            "catalogue \"pixlers example 1\"\ntitle \"A small boat\"\nby \"A. Painter &amp; Co.\"\n"
            "copyright \"none\"\n" +
                NonFile::Format(expected));
}

TEST(XmlFileTest, WritesWhatItReadsBack) {
  ExchangePuzzle boat = XmlFile::Parse(kSet, "set.xml", 2);
  boat.metadata.license = "not kept";
  boat.metadata.title = "<Boat> & \"sea\"";
  const std::string text = XmlFile::Format(boat);
  EXPECT_NE(text.find("<line><count>2</count><count>1</count></line>"), std::string::npos) << text;
  EXPECT_NE(text.find("<image>\n|..X..|\n|.XXX.|\n|.....|\n|XXXXX|\n</image>"), std::string::npos)
      << text;
  const ExchangePuzzle again = XmlFile::Parse(text, "again.xml");
  boat.metadata.license.clear();
  EXPECT_EQ(NonFile::Format(again), NonFile::Format(boat));
  EXPECT_EQ(XmlFile::Format(again), text);
}

}  // namespace
