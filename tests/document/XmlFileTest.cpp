#include <gtest/gtest.h>

#include <cstdlib>

#include "ManualExample.h"
#include "TestDocument.h"
#include "document/NonFile.h"
#include "document/XmlFile.h"

namespace {

const std::string kSet = ManualExample("<?xml version=\"1.0\"?>", "</puzzleset>");

TEST(XmlFileTest, ReadsTheManualsExampleByIndex) {
  ASSERT_FALSE(kSet.empty()) << "the example is missing from the manual";
  const ExchangePuzzle dot = XmlFile::Parse(kSet, "set.xml");
  EXPECT_EQ(NonFile::Format(dot), "title \"Dot\"\nwidth 1\nheight 1\n\nrows\n1\n\ncolumns\n1\n");

  // The second is the manual's .non example without its licence, which XML
  // has no place for.
  std::string boat =
      ManualExample("catalogue \"pixlers example 1\"", "saved \"??1????????????11111\"");
  boat.erase(boat.find("license CC0-1.0\n"), 16);
  EXPECT_EQ(NonFile::Format(XmlFile::Parse(kSet, "set.xml", 2)), boat);
}

TEST(XmlFileTest, ReadsDefaultCharactersPlainLinesAndSetsOfCells) {
  // A document type, comments and unknown elements are passed over; without
  // <color> elements "X" is filled and "." empty; without any "|" every line
  // is a row; "[X.]" may be either, "[X]" is filled.
  const std::string text =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE pbn SYSTEM \"http://webpbn.com/pbn-0.3.dtd\">\n"
      "<puzzleset><!-- a comment --><puzzle><note>ignored</note>"
      "<clues type=\"rows\"><line><count> 2 </count></line><line/>"
      "<line><count>1</count></line></clues>\n<clues type=\"columns\"><line><count>1</count>"
      "<count>1</count></line><line><count>1</count></line></clues>\n"
      "<solution type=\"saved\"><image>\n  X [X.]\n\t[.] ?\n\n [X]. \n</image></solution>"
      "</puzzle></puzzleset>";
  const ExchangePuzzle puzzle = XmlFile::Parse(text, "plain.xml");
  EXPECT_EQ(NonFile::Format(puzzle),
            "width 2\nheight 3\n\nrows\n2\n0\n1\n\ncolumns\n1,1\n1\n\nsaved \"1?0?10\"\n");
}

// Reading it back is the random round trip's; here is the form other programs read.
TEST(XmlFileTest, WritesWhatItReadsBack) {
  ExchangePuzzle boat = XmlFile::Parse(kSet, "set.xml", 2);
  // Texts read from other files may hold what XML cannot: controls, a NUL,
  // broken UTF-8. They are dropped; a CR survives as a reference.
  boat.metadata.title = std::string("<Boat> & \"sea\"\r\nsails\x01\x1b[1m\xff\xc3(\0\xc3\xa9", 32);
  const std::string title = "<Boat> & \"sea\"\r\nsails[1m(\xc3\xa9";
  const std::string text = XmlFile::Format(boat);
  if (std::system("xmllint --version >/dev/null 2>&1") == 0) {
    TTempFolder folder;
    const std::string check = "xmllint --noout '" + folder.Write("boat.xml", text) + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << text;
  }
  EXPECT_NE(text.find("<line><count>2</count><count>1</count></line>"), std::string::npos) << text;
  EXPECT_NE(text.find("<image>\n|..X..|\n|.XXX.|\n|.....|\n|XXXXX|\n</image>"), std::string::npos)
      << text;
  EXPECT_EQ(XmlFile::Parse(text, "again.xml").metadata.title, title);
  EXPECT_NE(text.find("&lt;Boat&gt; &amp; "), std::string::npos) << text;
}

}  // namespace
