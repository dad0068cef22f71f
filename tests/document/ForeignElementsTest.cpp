// Elements of foreign vocabularies named like HTML's title, style and script (an SVG icon's title, a
// formula's) are written like any other element: the page stays savable and reads back as itself.
#include <string>

#include "ControlFixture.h"

namespace dt {
namespace {

TEST_F(Control, ForeignTitleStyleAndScriptElementsAreWrittenWithTheirChildren) {
  ASSERT_NE(CreateControl(), nullptr);
  for (const char* page : {"<math><title>", "<math><style>", "<math><script>", "<svg><title>icon</title></svg>",
                           "<svg><style>rect { fill: red }</style><script>go()</script></svg>"}) {
    ASSERT_TRUE(LoadAndWait(page)) << page;
    const std::string saved = Code();
    ASSERT_NE(saved, "<failed>") << page;
    if (std::string(page).find("icon") != std::string::npos) EXPECT_NE(saved.find("icon"), std::string::npos);
    if (std::string(page).find("go()") != std::string::npos) EXPECT_NE(saved.find("go()"), std::string::npos);
    // A saved page reads back as the same page (the first save adds the writer's own metas).
    ASSERT_TRUE(LoadAndWait(saved.c_str())) << page;
    const std::string again = Code();
    ASSERT_TRUE(LoadAndWait(again.c_str())) << page;
    EXPECT_EQ(Code(), again) << page;
  }
}

TEST_F(Control, InsertionsAfterAnSvgIconStoreTheirUndoSnapshots) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait("<html><body><svg><title>icon</title></svg></body></html>"));
  const int before = History().Count();
  EXPECT_EQ(Insert(VLM_KIND_LABEL), 1);
  EXPECT_EQ(LastError(), static_cast<DWORD>(VLM_ERR_NONE));
  EXPECT_EQ(History().Count(), before + 1);
  EXPECT_NE(Body().find("label"), std::string::npos);
}

}  // namespace
}  // namespace dt
