// The history on its own, against a plain model of it (every snapshot's text kept whole): random edits,
// steps back and forth, transactions that commit or roll back, and clearing. Whatever the history stores,
// every snapshot reads back byte for byte.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "control/UndoHistory.h"

namespace {

struct Model {
  std::vector<std::string> texts;
  int index = -1;
};

CXString Text(const std::string& text) {
  CXString out;
  out.Assign(text.c_str(), static_cast<int>(text.size()));
  return out;
}

::testing::AssertionResult Matches(const CUndoHistory& history, const Model& model) {
  if (history.Count() != static_cast<int>(model.texts.size()) || history.Index() != model.index)
    return ::testing::AssertionFailure() << "count " << history.Count() << " index " << history.Index() << ", model "
                                         << model.texts.size() << " " << model.index;
  for (int i = 0; i < history.Count(); ++i) {
    CXString text;
    if (!history.TextAt(i, text)) return ::testing::AssertionFailure() << "snapshot " << i << " not rebuilt";
    if (std::string(text.GetString(), static_cast<size_t>(text.GetLength())) != model.texts[static_cast<size_t>(i)])
      return ::testing::AssertionFailure() << "snapshot " << i << " differs";
  }
  return ::testing::AssertionSuccess();
}

// A form-like text: many lines, of which an edit changes a few bytes somewhere.
std::string Form(std::mt19937& random, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += "  <SPAN id=\"label" + std::to_string(i) + "\" style=\"left: " + std::to_string(random() % 400) +
            "px; top: " + std::to_string(random() % 300) + "px; position: absolute\">\n";
  return text;
}

std::string Edited(std::mt19937& random, std::string text) {
  switch (random() % 5) {
    case 0:  // a value changes in place
      if (!text.empty()) text[random() % text.size()] = static_cast<char>('0' + random() % 10);
      break;
    case 1:  // something is inserted
      text.insert(random() % (text.size() + 1), "<INPUT id=\"x\">\n");
      break;
    case 2:  // something is removed
      if (text.size() > 20) text.erase(random() % (text.size() - 20), random() % 20);
      break;
    case 3:  // the same text again (a snapshot of an unchanged page)
      break;
    default:  // a page of its own
      text = Form(random, 5 + static_cast<int>(random() % 20));
      break;
  }
  return text;
}

TEST(UndoHistoryModel, EverySnapshotReadsBackAsPushedThroughRandomEditsStepsAndTransactions) {
  std::mt19937 random(7);
  CUndoHistory history;
  Model model;
  for (int round = 0; round < 1500; ++round) {
    const unsigned what = random() % 10;
    if (what < 5 || model.texts.empty()) {
      const std::string text =
          model.index < 0 ? Form(random, 30) : Edited(random, model.texts[static_cast<size_t>(model.index)]);
      ASSERT_TRUE(history.Push(Text(text), 0));
      model.texts.resize(static_cast<size_t>(model.index + 1));
      model.texts.push_back(text);
      model.index = static_cast<int>(model.texts.size()) - 1;
    } else if (what < 7) {
      if (history.CanUndo()) {
        history.StepBack();
        --model.index;
      }
    } else if (what < 9) {
      if (history.CanRedo()) {
        history.StepForward();
        ++model.index;
      }
    } else {
      // A transaction of a few pushes, kept or taken back.
      const Model before = model;
      const bool commit = random() % 2 == 0;
      {
        CUndoHistory::Transaction transaction(history);
        for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
          const std::string text = Edited(random, model.texts[static_cast<size_t>(model.index)]);
          ASSERT_TRUE(history.Push(Text(text), 0));
          model.texts.resize(static_cast<size_t>(model.index + 1));
          model.texts.push_back(text);
          model.index = static_cast<int>(model.texts.size()) - 1;
        }
        if (commit) transaction.Commit();
      }
      if (!commit) model = before;
    }
    if (round % 50 == 0 || what == 9) ASSERT_TRUE(Matches(history, model)) << "round " << round;
  }
  ASSERT_TRUE(Matches(history, model));
  history.Clear();
  model = Model{};
  EXPECT_TRUE(Matches(history, model));
}

// 1,000 one-element moves of a 1,000-element form: the history holds a few per cent of its texts.
TEST(UndoHistoryModel, ManySmallEditsOfALargeFormAreHeldAsTheirDifferences) {
  std::mt19937 random(3);
  CUndoHistory history;
  std::string text = Form(random, 1000);
  for (int move = 0; move < 1000; ++move) {
    const size_t line = text.find("left: ", random() % (text.size() - 100));
    if (line != std::string::npos) text.replace(line + 6, 3, std::to_string(100 + random() % 900));
    ASSERT_TRUE(history.Push(Text(text), 0));
  }
  EXPECT_LT(history.StoredBytes() * 20, history.TextBytes())
      << history.StoredBytes() << " bytes held for " << history.TextBytes();
  CXString last;
  ASSERT_TRUE(history.TextAt(999, last));
  EXPECT_EQ(std::string(last.GetString(), static_cast<size_t>(last.GetLength())), text);
}

}  // namespace
