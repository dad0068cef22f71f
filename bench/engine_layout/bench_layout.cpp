// Layout of a whole document and hit tests over it: forms of 100 / 1,000 / 3,000 absolutely
// positioned elements (the design surface) and a page of 600 static elements in flow. A drag on the
// design surface lays out once per move and hit-tests on every mouse message, so both are timed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "css/style_cache.h"
#include "dom/document.h"
#include "dom/element.h"
#include "layout/layout_tree.h"
#include "parser/html_parser.h"

namespace {

using namespace vellum::engine;

constexpr int kViewportWidth = 1024;
constexpr int kViewportHeight = 768;

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string AbsoluteForm(int elements) {
  std::string html = "<html><head><style>.field { font-family: Arial }</style></head><body>";
  for (int i = 0; i < elements; ++i) {
    const std::string n = std::to_string(i);
    const std::string style = "position: absolute; left: " + std::to_string(10 + (i * 37) % 900) +
                              "px; top: " + std::to_string(10 + (i * 13) % 700) + "px; z-index: " + n;
    const std::string sized = style + "; width: 120px; height: 22px";
    switch (i % 6) {
      case 0:
        html += "<span class=field style='" + sized + "'>Label " + n + "</span>";
        break;
      case 1:
        html += "<input type=text style='" + style + "' value='text " + n + "'>";
        break;
      case 2:
        html += "<input type=button style='" + style + "' value='Press'>";
        break;
      case 3:
        html += "<input type=checkbox style='" + style + "'>";
        break;
      case 4:
        html += "<select size=3 style='" + sized + "'><option>One</option><option>Two</option></select>";
        break;
      default:
        html += "<fieldset style='" + sized +
                "'><input style='position: absolute; left: 4px; top: 4px'>"
                "</fieldset>";
        break;
    }
  }
  return Widen(html + "</body></html>");
}

// Labels without a size: each is as wide as its text, whose words layout measures twice (for the
// shrink-to-fit width and when placing them).
std::u16string TextSizedLabels(int elements) {
  std::string html = "<html><head><style>body { font-family: Arial; font-size: 13px }</style></head><body>";
  for (int i = 0; i < elements; ++i) {
    const std::string n = std::to_string(i);
    html += "<span style='position: absolute; left: " + std::to_string(10 + (i * 37) % 900) +
            "px; top: " + std::to_string(10 + (i * 13) % 700) + "px'>Label " + n + (i % 3 ? " of the form" : "") +
            "</span>";
  }
  return Widen(html + "</body></html>");
}

std::u16string StaticPage(int elements) {
  std::string html = "<html><body>";
  for (int i = 0; i < elements; ++i) {
    const std::string n = std::to_string(i);
    switch (i % 4) {
      case 0:
        html += "<p>Paragraph " + n + " with a few words of text to wrap</p>";
        break;
      case 1:
        html += "<div>Block " + n + " <b>bold</b> and <i>italic</i><br>second line</div>";
        break;
      case 2:
        html += "<span>inline " + n + "</span> ";
        break;
      default:
        html += "<input value='" + n + "'> ";
        break;
    }
  }
  return Widen(html + "</body></html>");
}

void RunLayout(benchmark::State& state, const std::u16string& html) {
  RefPtr<Document> document = ParseDocument(html);
  std::size_t boxes = 0;
  for (auto _ : state) {
    layout::LayoutTree tree = layout::Layout(*document, kViewportWidth, kViewportHeight);
    boxes = tree.Boxes().size();
    benchmark::DoNotOptimize(tree);
  }
  state.counters["boxes"] = static_cast<double>(boxes);
}

void RunHitTests(benchmark::State& state, const std::u16string& html) {
  RefPtr<Document> document = ParseDocument(html);
  const layout::LayoutTree tree = layout::Layout(*document, kViewportWidth, kViewportHeight);
  int x = 0, y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tree.HitTest(x, y));
    x = (x + 97) % kViewportWidth;
    y = (y + 61) % kViewportHeight;
  }
}

void BM_LayoutAbsolute(benchmark::State& state) { RunLayout(state, AbsoluteForm(static_cast<int>(state.range(0)))); }
void BM_HitTestAbsolute(benchmark::State& state) { RunHitTests(state, AbsoluteForm(static_cast<int>(state.range(0)))); }
void BM_LayoutTextSizedLabels(benchmark::State& state) {
  RunLayout(state, TextSizedLabels(static_cast<int>(state.range(0))));
}
void BM_LayoutStatic(benchmark::State& state) { RunLayout(state, StaticPage(static_cast<int>(state.range(0)))); }
void BM_HitTestStatic(benchmark::State& state) { RunHitTests(state, StaticPage(static_cast<int>(state.range(0)))); }

// Every element of the static page hit-tested once through a fresh layout: what took over a second
// when each query laid out its element from scratch.
void BM_LayoutThenHitEveryElementStatic(benchmark::State& state) {
  RefPtr<Document> document = ParseDocument(StaticPage(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    const layout::LayoutTree tree = layout::Layout(*document, kViewportWidth, kViewportHeight);
    for (const layout::Box& box : tree.Boxes()) {
      benchmark::DoNotOptimize(tree.HitTest(box.border.x, box.border.y));
    }
  }
}

// A nudge on the design surface: one element's style attribute changes and the form is laid out again,
// with the styles kept from the layout before (what the document does) and, as the baseline, without.
void RunRelayoutAfterNudge(benchmark::State& state, bool keepStyles) {
  RefPtr<Document> document = ParseDocument(AbsoluteForm(static_cast<int>(state.range(0))));
  layout::TextMeasurer& measurer = layout::FixedMeasurer();
  css::StyleCache styles(keepStyles ? css::kKeptStyleBudget : 0);
  benchmark::DoNotOptimize(layout::Layout(*document, kViewportWidth, kViewportHeight, measurer, styles));
  Element* body = document->Body();
  Element* moved = AsElement(body->FirstChild());
  int step = 0;
  for (auto _ : state) {
    moved->SetAttribute(u"style", ++step % 2 ? u"position: absolute; left: 11px; top: 10px; width: 120px"
                                             : u"position: absolute; left: 10px; top: 10px; width: 120px");
    layout::LayoutTree tree = layout::Layout(*document, kViewportWidth, kViewportHeight, measurer, styles);
    benchmark::DoNotOptimize(tree);
  }
  state.counters["computed"] = static_cast<double>(styles.ComputedCount());
}
void BM_RelayoutAfterNudgeKeptStyles(benchmark::State& state) { RunRelayoutAfterNudge(state, true); }
void BM_RelayoutAfterNudgeBaseline(benchmark::State& state) { RunRelayoutAfterNudge(state, false); }

// A nudge of 100 labels spread over the form: their boxes are placed again in the kept layout, as the
// document does while only elements' positions changed.
void BM_MoveHundredBoxes(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  RefPtr<Document> document = ParseDocument(TextSizedLabels(count));
  layout::TextMeasurer& measurer = layout::FixedMeasurer();
  css::StyleCache styles;
  layout::LayoutTree tree = layout::Layout(*document, kViewportWidth, kViewportHeight, measurer, styles);
  std::vector<Element*> labels, moved;
  for (Node* node = document->Body()->FirstChild(); node; node = node->NextSibling())
    if (Element* element = AsElement(node)) labels.push_back(element);
  for (std::size_t i = 0; i < labels.size() && moved.size() < 100; i += std::max<std::size_t>(1, labels.size() / 100))
    moved.push_back(labels[i]);
  int step = 0;
  bool placed = true;
  std::vector<const Element*> changed;
  for (auto _ : state) {
    ++step;
    const uint64_t version = document->Version();
    for (std::size_t i = 0; i < moved.size(); ++i) {
      const std::string style = "position: absolute; left: " + std::to_string(10 + (i * 37) % 900 + step % 2) +
                                "px; top: " + std::to_string(10 + (i * 13) % 700) + "px";
      moved[i]->SetAttribute(u"style", Widen(style));
    }
    placed = placed && document->AttributeChangesSince(version, changed) &&
             layout::MoveChangedBoxes(tree, *document, measurer, styles, changed);
  }
  if (!placed) state.SkipWithError("a move took the long way");
}

BENCHMARK(BM_MoveHundredBoxes)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RelayoutAfterNudgeKeptStyles)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelayoutAfterNudgeBaseline)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutAbsolute)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestAbsolute)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayoutTextSizedLabels)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutStatic)->Arg(600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestStatic)->Arg(600)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayoutThenHitEveryElementStatic)->Arg(600)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
