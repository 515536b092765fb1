#include <gtest/gtest.h>

#include "generate/Placeholders.h"

namespace pagora {
namespace {

TEST(Placeholders, FirstDefinitionWinsIgnoringCase) {
  PlaceholderValues values;
  values.AddAll({"{公司名}=custom", "no key here", "{公司名}=company", "{Table1}=a=b"});
  values.Define("{table1}", "later");
  EXPECT_EQ(values.Lookup("{公司名}"), "custom");
  EXPECT_EQ(values.Lookup("{TABLE1}"), "a=b");
  EXPECT_EQ(values.Lookup("{missing}"), "");
}

TEST(Placeholders, ScanSemantics) {
  PlaceholderValues values;
  values.AddAll({"{a}=A", "{b}=x{c}y", "{c}=C", "{empty}="});
  const PlaceholderFallback fallback = [](std::string_view name) {
    return name == "{fb}" ? std::string("F") : std::string();
  };
  struct Case {
    std::string text, expected;
  };
  const Case cases[] = {
      {"{a}-{a}", "A-A"},
      {"{fb}{nothing}.", "F."},  // no value anywhere: removed
      {"{empty}{fb}", "F"},
      {"p{ no close", "p{ no close"},  // a lone "{" ends the scan
      {"{a} { x", "A { x"},
      {"style{color:red}{a}", "styleA"},  // literal braces are a placeholder too
      // {b}'s value holds "{c}": the later {c} replaces that first occurrence instead.
      {"{b}|{c}", "xCy|{c}"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FillPlaceholders(c.text, values, fallback), c.expected) << c.text;
}

}  // namespace
}  // namespace pagora
