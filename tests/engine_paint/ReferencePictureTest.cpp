// Whole pictures of the document window compared with committed references. Run with the
// environment variable VELLUM_REFRESH_REFERENCES=1 (refresh_reference.sh) to write them instead.
#include <gtest/gtest.h>

#include <string>

#include "ReferenceMatch.h"
#include "PaintTestHost.h"

namespace {

std::wstring ReferencePath(const wchar_t* name) { return pt::TestSourceFolder() + L"\\reference\\" + name; }

// A form with one of each kind of element the designer places, the way it positions them.
std::wstring TwelveKindsForm() {
  const std::wstring picture = pt::TestSourceFolder() + L"\\data\\landscape.png";
  return LR"(<html><head><style>
body { font-family: Arial; font-size: 13px; background-color: #ffffff }
.caption { font-weight: bold; color: #003366 }
</style></head><body>
<span class="caption" style="position: absolute; left: 10px; top: 12px">Name:</span>
<input type="text" value="Jane Doe" style="position: absolute; left: 70px; top: 9px; width: 160px; height: 22px">
<input type="button" value="Send" style="position: absolute; left: 245px; top: 8px; width: 80px; height: 24px">
<input type="checkbox" checked style="position: absolute; left: 10px; top: 46px">
<span style="position: absolute; left: 28px; top: 44px">Subscribe</span>
<input type="radio" name="size" checked style="position: absolute; left: 110px; top: 46px">
<input type="radio" name="size" style="position: absolute; left: 130px; top: 46px">
<input type="file" style="position: absolute; left: 160px; top: 42px; width: 240px; height: 22px">
<textarea style="position: absolute; left: 10px; top: 76px; width: 180px; height: 58px">First line
Second line</textarea>
<fieldset style="position: absolute; left: 205px; top: 72px; width: 195px; height: 62px"><legend>Delivery</legend>
<span style="position: absolute; left: 12px; top: 26px; font-style: italic">Within three days</span></fieldset>
<img src=")" +
         picture +
         LR"(" width="48" height="36" style="position: absolute; left: 10px; top: 148px">
<img src="missing-picture.png" alt="Logo" style="position: absolute; left: 68px; top: 148px; width: 64px; height: 36px">
<select size="4" style="position: absolute; left: 145px; top: 148px; width: 110px">
<option>Red</option><option selected>Green</option><option>Blue</option><option>Yellow</option><option>Violet</option>
</select>
<select style="position: absolute; left: 270px; top: 148px; width: 130px">
<option>First</option><option selected>Second choice</option></select>
<object classid="clsid:D27CDB6E-AE6D-11CF-96B8-444553540000" style="position: absolute; left: 270px; top: 185px; width: 130px; height: 60px"></object>
<span style="position: absolute; left: 10px; top: 220px; width: 240px; height: 50px; border: 2px solid #c04000; background-color: #fff4d0; padding: 4px">
A plain box with a border, a background and text that wraps.</span>
</body></html>)";
}

// Every CSS border style, fonts by family, weight, slant and decoration, text alignment and case.
std::wstring BordersAndTextPage() {
  std::wstring html =
      LR"(<html><head><style>
body { font-family: Arial; font-size: 13px; color: #202020 }
div.b { position: absolute; width: 90px; height: 34px; border-width: 4px; border-color: #4060c0; padding: 2px }
span { position: absolute; left: 215px }
</style></head><body>)";
  const wchar_t* styles[] = {L"solid", L"dotted", L"dashed", L"double", L"groove", L"ridge", L"inset", L"outset"};
  for (int i = 0; i < 8; ++i) {
    const int left = 10 + (i % 2) * 100, top = 8 + (i / 2) * 46;
    html += L"<div class=\"b\" style=\"left: " + std::to_wstring(left) + L"px; top: " + std::to_wstring(top) +
            L"px; border-style: " + styles[i] + L"\">" + styles[i] + L"</div>";
  }
  html +=
      LR"(<span style="top: 8px; font-family: 'Times New Roman'; font-size: 16px">Serif text</span>
<span style="top: 30px; font-family: monospace">Monospaced text</span>
<span style="top: 50px; font-weight: bold">Bold</span><span style="top: 50px; left: 260px; font-style: italic">Italic</span>
<span style="top: 70px; text-decoration: underline">Underlined</span>
<span style="top: 70px; left: 300px; text-decoration: line-through">Struck</span>
<span style="top: 90px; font-size: 20px; color: #a02020">Large red</span>
<span style="top: 118px; text-transform: uppercase">upper case</span>
<div style="position: absolute; left: 215px; top: 140px; width: 190px; text-align: center; background-color: #e0f0e0">centred</div>
<div style="position: absolute; left: 215px; top: 162px; width: 190px; text-align: right; background-color: #e0e0f0">right</div>
<div style="position: absolute; left: 10px; top: 200px; width: 395px; height: 80px; border: 1px solid #808080; padding: 4px">
Flow content: <b>bold words</b> and <i>italic words</i> run in lines with an <input type="text" value="inline" size="8"> control
and a <button>button</button> between them, wrapping at the edge of the box.</div>
</body></html>)";
  return html;
}

// Shows the page and compares the picture with the named reference (or writes it).
void CheckAgainstReference(const std::wstring& page, const wchar_t* name) {
  et::ComScope com;
  pt::CPaintHost host;
  ASSERT_TRUE(host.Load(page));
  const vt::Image picture = host.Capture();
  ASSERT_EQ(picture.width, 420);
  ASSERT_EQ(picture.height, 300);
  const std::wstring reference = ReferencePath(name);
  if (pt::WritingReferences()) {
    ASSERT_TRUE(vt::SavePng(picture, reference));
    GTEST_SKIP() << "reference written";
  }
  std::wstring actual = reference;  // beside the reference (not kept), for a look when it fails
  actual.replace(actual.size() - 4, 4, L".actual.png");
  vt::SavePng(picture, actual);
  EXPECT_TRUE(pt::MatchesReference(picture, vt::LoadPng(reference), pt::Tolerance()));
}

TEST(ReferencePicture, TwelveKindsOfElementsLookAsTheReference) {
  CheckAgainstReference(TwelveKindsForm(), L"twelve-kinds.png");
}

TEST(ReferencePicture, BordersFontsAndFlowTextLookAsTheReference) {
  CheckAgainstReference(BordersAndTextPage(), L"borders-and-text.png");
}

}  // namespace
