// S_Ini_File: reading keys (LF and CR LF, blanks around keys and values) and
// replacing values where they stand while every other byte stays.
#include <gtest/gtest.h>

#include "report/s_ini_file.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

TEST(S_Ini_File, Get) {
  S_Ini_File ini;
  ini.parse(
      "top=0\n"
      "[a]\r\n"
      "  key  =  some value \t\r\n"
      "empty=\n"
      "novalue\n"
      "x = 1 = 2\n"
      "[ b ]\n"
      "key=other\n"
      "[a]\n"
      "late=1");
  struct Case {
    const char* section;
    const char* key;
    bool found;
    const char* value;
  };
  const Case cases[] = {
      {"a", "key", true, "some value"}, {"a", "empty", true, ""},  {"a", "x", true, "1 = 2"},
      {"b", "key", true, "other"},      {"a", "novalue", false, ""}, {"a", "top", false, ""},
      {"c", "key", false, ""},
      {"a", "late", false, ""},  // only the first section of a name is read
  };
  for (const Case& c : cases) {
    std::string value = "unchanged";
    EXPECT_EQ(ini.get(c.section, c.key, value), c.found) << c.section << "/" << c.key;
    EXPECT_EQ(value, c.found ? c.value : "unchanged") << c.section << "/" << c.key;
  }
}

TEST(S_Ini_File, Set) {
  struct Case {
    const char* what;
    std::string before;
    const char* key;
    const char* value;
    std::string after;
  };
  const Case cases[] = {
      {"replace where it stands", "; c\r\n[s]\r\n k = old \r\nz=1\r\n", "k", "new", "; c\r\n[s]\r\nk=new\r\nz=1\r\n"},
      {"add after the last entry", "[s]\na=1\n\n[t]\nb=2\n", "k", "v", "[s]\na=1\nk=v\n\n[t]\nb=2\n"},
      {"last line without end", "[s]\na=1", "k", "v", "[s]\na=1\nk=v\n"},
      {"new section, CR LF file", "[t]\r\nb=2\r\n", "k", "v", "[t]\r\nb=2\r\n[s]\r\nk=v\r\n"},
      {"new file", "", "k", "v", "[s]\nk=v\n"},
      {"empty value", "[s]\nk=v\n", "k", "", "[s]\nk=\n"},
      {"line break in the value", "[s]\n", "k", "a\r\nb\nc", "[s]\nk=a  b c\n"},
  };
  for (const Case& c : cases) {
    S_Ini_File ini;
    ini.parse(c.before);
    ini.set("s", c.key, c.value);
    EXPECT_EQ(ini.text(), c.after) << c.what;
  }
}

TEST(S_Ini_File, LoadMissingFileIsEmptySaveReplaces) {
  Temp_Dir dir;
  S_Ini_File ini;
  ini.parse("stale=1\n");
  ASSERT_EQ(ini.load(dir / "none.ini"), S_Ini_File::Load_Result::missing);
  EXPECT_EQ(ini.text(), "");
  ini.set("s", "k", "v");
  ASSERT_TRUE(ini.save(dir / "x.ini"));
  EXPECT_EQ(file_bytes(dir / "x.ini"), "[s]\nk=v\n");
  EXPECT_EQ(ini.load(dir.path()), S_Ini_File::Load_Result::unreadable);  // a folder cannot be read
}

}  // namespace
