#pragma once
// The patterns of the property string table, with the examples their help texts give.

#include <array>

struct CataloguePattern {
  int stringId;
  const char* pattern;
  std::array<const char*, 3> helpExamples;
  const char* typicalValue;  // what a user types most often
};

inline constexpr CataloguePattern kCataloguePatterns[] = {
    {40012, "([A-Za-z_][A-Za-z_0-9]*)", {"button1", "_label10", "selItems"}, "textbox12"},
    {40017, ".*", {"Any title", "", "x"}, "Customer form"},
    {40020,
     "(auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)",
     {"100px", "70%", "5.2cm"},
     "120px"},
    {40044,
     "( (medium|thin|thick) ?) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )? )",
     {"thin", "100px", "0.1cm"},
     "2px"},
    {40056,
     "( (auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)(\\ )*)+",
     {"auto", "5px", "0.5cm"},
     "5px 10px 5px 10px"},
    {40062, "( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?", {"10px", "3%", "0.2cm"}, "4px"},
    {40068, ".*", {"Hello", "", "<b>x</b>"}, "Submit"},
    {40082,
     "(xx-small|x-small|small|medium|large|x-large|xx-large|larger|smaler)|(( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  "
     "( em|ex|px|%|in|cm|mm|pt|pc )?)",
     {"x-small", "1.2cm", "14pt"},
     "12pt"},
    {40094, ".*", {"group1", "", "g"}, "options"},
    {40104, "(auto) | ( [0-9]+ )", {"auto", "5", "12"}, "10"},
    {40108, "[0-9]+", {"400", "150", "0"}, "640"},
};
