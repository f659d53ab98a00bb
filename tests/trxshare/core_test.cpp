// The pure rules: identifier quoting, name splitting, template filling and
// the safety checks of statement values.
#include "names.h"
#include "sqltext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using trx::singleByteTools;

// A double-byte stand-in: 0x81-0x9F and 0xE0-0xFC lead (as code page 932).
bool sjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
size_t sjisFind(std::string_view text, char ch) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ch) return i;
    if (sjisLead(static_cast<unsigned char>(text[i]))) ++i;
  }
  return std::string_view::npos;
}
std::string keep(std::string_view s) { return std::string(s); }
const trx::TextTools kSjis{sjisLead, sjisFind, keep};

TEST(QuotesNeeded, FollowsTheUpperCaseIdentifierRule) {
  struct Case { const char* id; bool needed; } cases[] = {
      {"EMP_1", false}, {"EMP", false}, {"E", false}, {"", false}, {"emp", true}, {"1EMP", true},
      {"Emp", true}, {"EMP NAME", true}, {"_EMP", true}, {"EMP-1", true}, {"EMP$", true}, {"\xC4MP", true},
  };
  for (const auto& c : cases) EXPECT_EQ(trx::quotesNeeded(c.id, false, singleByteTools()), c.needed) << c.id;
}

TEST(QuotesNeeded, DoubleByteCharactersNeedQuotes) {
  // "EMP" followed by a double-byte character whose trail byte is 'A'.
  EXPECT_TRUE(trx::quotesNeeded("EMP\x82" "A", true, kSjis));
  EXPECT_TRUE(trx::quotesNeeded("EMP\x82" "A", false, kSjis));
  // A lone lead byte at the end is no double-byte character, but still not
  // an upper-case letter.
  EXPECT_TRUE(trx::quotesNeeded("EMP\x82", true, kSjis));
  EXPECT_FALSE(trx::quotesNeeded("EMP", true, kSjis));
}

TEST(QuoteIdentifier, WrapsWhatTheBrandAllowsAndTheNameNeeds) {
  trx::QuoteRules both{'"', true, true, false};
  trx::QuoteRules namesOnly{'"', false, true, false};
  trx::QuoteRules usersOnly{'"', true, false, false};
  trx::QuoteRules never{0, true, true, false};
  trx::QuoteRules backQuote{'`', true, true, false};
  struct Case {
    const trx::QuoteRules* rules; const char *user, *table, *column, *expected;
  } cases[] = {
      {&both, "sysadm", "Emp", "NAME", "\"sysadm\".\"Emp\".NAME"},
      {&namesOnly, "sysadm", "Emp", "NAME", "sysadm.\"Emp\".NAME"},
      {&usersOnly, "sysadm", "Emp", "name", "\"sysadm\".Emp.name"},
      {&never, "sysadm", "Emp", "NAME", "sysadm.Emp.NAME"},
      {&backQuote, "", "my table", "", "`my table`"},
      {&both, "", "EMP", "NAME", "EMP.NAME"},
      {&both, "", "", "name", "\"name\""},
      {&both, "SYSADM", "EMP", "", "SYSADM.EMP"},
      {&both, "\"Mixed\"", "\"Emp\"", "x", "\"Mixed\".\"Emp\".\"x\""},  // quoted already
      {&both, "", "", "", ""},
      {&both, "u", "", "c", "\"u\".\"c\""},  // no part is glued to another
  };
  for (const auto& c : cases)
    EXPECT_EQ(trx::quoteIdentifier(*c.rules, c.user, c.table, c.column, singleByteTools()), c.expected)
        << c.user << "|" << c.table << "|" << c.column;
}

TEST(QuoteIdentifier, QualifiedTextsInPlace) {
  trx::QuoteRules both{'"', true, true, false};
  EXPECT_EQ(trx::quoteTable(both, "sysadm.Emp", singleByteTools()), "\"sysadm\".\"Emp\"");
  EXPECT_EQ(trx::quoteTable(both, "Emp", singleByteTools()), "\"Emp\"");
  EXPECT_EQ(trx::quoteColumn(both, "sysadm.Emp.NAME", singleByteTools()), "\"sysadm\".\"Emp\".NAME");
  EXPECT_EQ(trx::quoteColumn(both, "Emp.name", singleByteTools()), "\"Emp\".\"name\"");
  EXPECT_EQ(trx::quoteColumn(both, "name", singleByteTools()), "\"name\"");
}

TEST(RemoveQuotes, DropsEveryQuoteButKeepsDoubleByteCharactersWhole) {
  EXPECT_EQ(trx::removeQuotes("\"a\".\"b\"", '"', singleByteTools()), "a.b");
  EXPECT_EQ(trx::removeQuotes("\"a\"", 0, singleByteTools()), "\"a\"");
  EXPECT_EQ(trx::removeQuotes("`x``y`", '`', singleByteTools()), "xy");
  // 0x81 0x60 is one character whose trail byte is the back quote.
  EXPECT_EQ(trx::removeQuotes("`\x81`A`", '`', kSjis), "\x81`A");
}

TEST(SplitNames, UserTableAndTableColumn) {
  struct Case { const char *in, *first, *second; };
  const Case userTable[] = {
      {"sysadm.emp", "sysadm", "emp"}, {"emp", "", "emp"}, {" sysadm . emp ", "sysadm", "emp"},
      {"a.b.c", "a", "b.c"}, {"", "", ""}, {".emp", "", "emp"},
  };
  for (const auto& c : userTable) {
    auto [u, t] = trx::splitUserTable(c.in, singleByteTools());
    EXPECT_EQ(u, c.first) << c.in;
    EXPECT_EQ(t, c.second) << c.in;
  }
  const Case tableColumn[] = {
      {"a.b.c", "a.b", "c"}, {"b.c", "b", "c"}, {"c", "", "c"}, {"a.b.c.d", "a.b", "c.d"},
  };
  for (const auto& c : tableColumn) {
    auto [t, col] = trx::splitTableColumn(c.in, singleByteTools());
    EXPECT_EQ(t, c.first) << c.in;
    EXPECT_EQ(col, c.second) << c.in;
  }
}

TEST(SplitNames, DotInsideADoubleByteCharacterIsNoSeparator) {
  // A made-up lead byte whose trail is '.': the split must skip it.
  auto lead = [](unsigned char c) { return c == 0xE0; };
  auto find = [](std::string_view text, char ch) -> size_t {
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == ch) return i;
      if (static_cast<unsigned char>(text[i]) == 0xE0) ++i;
    }
    return std::string_view::npos;
  };
  trx::TextTools tools{lead, find, keep};
  auto [u, t] = trx::splitUserTable("A\xE0.B.T", tools);
  EXPECT_EQ(u, "A\xE0.B");
  EXPECT_EQ(t, "T");
}

TEST(ConcatUserTable, JoinsOrTakesTheTablesOwnUser) {
  struct Case { const char *user, *table, *expected; } cases[] = {
      {"sysadm", "emp", "sysadm.emp"}, {"", "emp", "emp"}, {"sysadm", "other.emp", "other.emp"},
      {"", "other.emp", "other.emp"}, {"sysadm", "", "sysadm."},
  };
  for (const auto& c : cases) EXPECT_EQ(trx::concatUserTable(c.user, c.table, singleByteTools()), c.expected);
}

TEST(FillTemplate, FillsInOrderDropsWhatDoesNotFitRenumbers) {
  struct Case {
    const char* text; size_t capacity; const char* value; bool filled; const char* expected;
  } cases[] = {
      {"A = %%, B = %%", 100, "x", true, "A = x, B = %%"},
      {"A = %% AND B", 100, "", true, "A =  AND B"},
      {"A = %%", 7, "x", true, "A = x"},                   // 5 characters and the terminator
      {"A = %%", 6, "xy", false, "A = "},                  // dropped: the text after stays
      {"A = %% AND B = 1", 10, "toolong", false, "A = AND B = 1"},  // without its leading blank
      {"no marker", 100, "x", false, "no marker"},
      {"%2 %1 %3", 100, "v", true, "%1 v %2"},             // %1 filled, the rest renumbered
      {"%1-%1 %2", 100, "v", true, "v-v %1"},              // every %1 is the same value
      {"%1 %2", 3, "long", false, "%1"},                   // %1 dropped, %2 becomes %1
      {"%% %1", 100, "v", true, "v %1"},                   // the first marker wins
      {"%1 %%", 100, "v", true, "v %%"},
      {"100%", 100, "v", false, "100%"},
  };
  for (const auto& c : cases) {
    trx::StatementText text(c.text, c.capacity);
    EXPECT_EQ(text.fill(c.value), c.filled) << c.text;
    EXPECT_EQ(text.text(), c.expected) << c.text;
  }
}

TEST(FillTemplate, AValuesOwnMarkersAreNoPlaceholders) {
  struct Case {
    const char* text; const char* values[3]; const char* expected;
  } cases[] = {
      {"A = '%%' AND B = '%%'", {"x%%", "y", nullptr}, "A = 'x%%' AND B = 'y'"},
      {"A = '%%' AND B = '%%'", {"x%1", "y", nullptr}, "A = 'x%1' AND B = 'y'"},
      {"%1 %2 %3", {"a%2", "b%%", "c"}, "a%2 b%% c"},  // no renumbering inside a value
      {"%1 %%", {"a%%", "b", nullptr}, "a%% b"},
  };
  for (const auto& c : cases) {
    trx::StatementText text(c.text, 100);
    for (const char* value : c.values) {
      if (!value) break;
      EXPECT_TRUE(text.fill(value)) << c.text << " <- " << value;
    }
    EXPECT_EQ(text.text(), c.expected) << c.text;
  }
  // A dropped value leaves the markers of the ones before it alone.
  trx::StatementText text("%% %% %%", 12);
  EXPECT_TRUE(text.fill("a%%"));
  EXPECT_FALSE(text.fill("toolong"));
  EXPECT_TRUE(text.fill("b"));
  EXPECT_EQ(text.text(), "a%% b");
}

TEST(StatementValues, EscapingAndIntegers) {
  EXPECT_EQ(trx::escapeLiteral("O'Brien"), "O''Brien");
  EXPECT_EQ(trx::escapeLiteral("x' OR '1'='1"), "x'' OR ''1''=''1");
  EXPECT_EQ(trx::escapeLiteral(""), "");
  struct Case { const char* value; bool integer; } numbers[] = {
      {"1", true}, {"-42", true}, {"007", true}, {"", false}, {"-", false}, {"1 OR 1=1", false},
      {"1.5", false}, {" 1", false}, {"1234567890123456789", false},
  };
  for (const auto& c : numbers) EXPECT_EQ(trx::isInteger(c.value), c.integer) << c.value;
}

TEST(StatementValues, CatalogNamesThatWouldChangeTheCommandAreRefused) {
  struct Case { const char* name; bool safe; } cases[] = {
      {"EMP", true}, {"SYSADM", true}, {"My Table", true}, {"TYPES", true}, {"SELECTION", true},
      {"", false}, {"  ", false}, {"EMP, TYPE = U", false}, {"EMP'", false}, {"\"EMP\"", false},
      {"EMP SELECT X", false}, {"EMP select x", false}, {"A\tTBNAME", false}, {"A=B", false},
      {"EMP TYPE", false}, {"A\nB", false},
  };
  for (const auto& c : cases) EXPECT_EQ(trx::isSafeCatalogName(c.name, singleByteTools()), c.safe) << c.name;
  // 0x83 0x60 is one character whose trail byte looks like a back quote.
  EXPECT_TRUE(trx::isSafeCatalogName("T\x83\x60", kSjis));
  EXPECT_FALSE(trx::isSafeCatalogName("T`", kSjis));
  EXPECT_FALSE(trx::isSafeCatalogName("T\x83", kSjis)) << "a lone lead byte at the end is no character";
  // The command's words end at blanks: a name with one goes in quoted.
  EXPECT_EQ(trx::catalogValue("EMP"), "EMP");
  EXPECT_EQ(trx::catalogValue("My Table"), "\"My Table\"");
}

TEST(TableList, SplitsAndMatchesQualifiedNames) {
  auto list = trx::splitTableList(" SYSADM.EMP , dept,, ");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], "SYSADM.EMP");
  EXPECT_EQ(list[1], "dept");
  struct Case { const char* qualified; bool in; } cases[] = {
      {"SYSADM.EMP", true}, {"sysadm.emp", true}, {"OTHER.EMP", false}, {"EMP", false},
      {"SYSADM.DEPT", true}, {"DEPT", true}, {"SYSADM.DEPTS", false},
  };
  for (const auto& c : cases) EXPECT_EQ(trx::tableInList(c.qualified, list, singleByteTools()), c.in) << c.qualified;
  EXPECT_TRUE(trx::splitTableList("").empty());
}

TEST(TableList, DoubleByteCharactersCompareExactly) {
  // 0x83 0x41 and 0x83 0x61 are two characters whose trail bytes are 'A'
  // and 'a'.
  auto list = trx::splitTableList("\x83" "A.T\x83" "A");
  EXPECT_TRUE(trx::tableInList("\x83" "A.t\x83" "A", list, kSjis));
  EXPECT_FALSE(trx::tableInList("\x83" "a.T\x83" "A", list, kSjis));
  EXPECT_FALSE(trx::tableInList("\x83" "A.T\x83" "a", list, kSjis));
}

} // namespace
