#include "css/user_agent_sheet.h"

namespace vellum::engine::css {
namespace {

constexpr std::u16string_view kUserAgentCss =
    uR"css(
html, address, blockquote, body, center, dd, dir, div, dl, dt, fieldset, form, frameset, h1, h2, h3,
h4, h5, h6, hr, legend, menu, noframes, ol, p, pre, ul { display: block }
li { display: list-item }
head, script, style, title, meta, link, base, noscript, param { display: none }
table { display: table }
caption { display: table-caption; text-align: center }
thead { display: table-header-group }
tbody { display: table-row-group }
tfoot { display: table-footer-group }
tr { display: table-row }
td, th { display: table-cell }
input, select, textarea, button, img, object { display: inline-block }
h1 { font-size: 2em; margin: .67em 0 }
h2 { font-size: 1.5em; margin: .75em 0 }
h3 { font-size: 1.17em; margin: .83em 0 }
h4 { margin: 1.12em 0 }
h5 { font-size: .83em; margin: 1.5em 0 }
h6 { font-size: .75em; margin: 1.67em 0 }
h1, h2, h3, h4, h5, h6, b, strong, th { font-weight: bold }
p, ul, ol, dl, pre { margin: 1em 0 }
blockquote { margin: 1em 40px }
ol, ul, dir, menu { padding-left: 40px }
ol { list-style-type: decimal }
i, cite, em, var, address { font-style: italic }
pre, tt, code, kbd, samp { font-family: monospace }
pre { white-space: pre }
big { font-size: 1.17em }
small, sub, sup { font-size: .83em }
sub { vertical-align: sub }
sup { vertical-align: super }
u, ins { text-decoration: underline }
s, strike, del { text-decoration: line-through }
center, th { text-align: center }
)css";

}  // namespace

const StyleSheet& UserAgentStyleSheet() {
  static const StyleSheet kSheet(kUserAgentCss);
  return kSheet;
}

}  // namespace vellum::engine::css
