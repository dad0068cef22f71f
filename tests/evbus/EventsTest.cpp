#include <evbus.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct Seen {
  int calls = 0;
  int code = 0;
  std::string text;
  int param = -1;
  int flags = -1;
};

void Record(int code, const char* text, int param, int flags, void* context) {
  auto* seen = static_cast<Seen*>(context);
  ++seen->calls;
  seen->code = code;
  seen->text = text;
  seen->param = param;
  seen->flags = flags;
}

// Raises through the eighth virtual slot, the way the product's callers reach it.
void RaiseThroughSlotEight(IEvents* events, int code, const char* text, int param, int flags) {
  using RaiseFn = void (*)(IEvents*, int, const char*, int, int);
  void** vtable = *reinterpret_cast<void***>(events);
  reinterpret_cast<RaiseFn>(vtable[7])(events, code, text, param, flags);
}

TEST(Events, OneChannelForTheProcess) {
  EXPECT_NE(Get_IEvents(), nullptr);
  EXPECT_EQ(Get_IEvents(), Get_IEvents());
}

TEST(Events, RaiseWithoutHandlerOnlyRemembers) {
  IEvents* events = Get_IEvents();
  events->SetHandler(nullptr, nullptr);
  RaiseThroughSlotEight(events, 12, "The property format is:\n [0-9]+", 0, 7);
  EXPECT_EQ(events->LastCode(), 12);
  EXPECT_STREQ(events->LastText(), "The property format is:\n [0-9]+");
  int param = -1, flags = -1;
  events->LastNumbers(&param, &flags);
  EXPECT_EQ(param, 0);
  EXPECT_EQ(flags, 7);
}

TEST(Events, HandlerReceivesEveryEvent) {
  IEvents* events = Get_IEvents();
  Seen seen;
  events->SetHandler(&Record, &seen);
  EXPECT_EQ(events->GetHandler(), &Record);
  RaiseThroughSlotEight(events, EVT_INVALID_INPUT, "help", 0, 7);
  events->Raise(3, nullptr, 1, 2);
  EXPECT_EQ(seen.calls, 2);
  EXPECT_EQ(seen.code, 3);
  EXPECT_EQ(seen.text, "");
  EXPECT_EQ(seen.param, 1);
  EXPECT_EQ(seen.flags, 2);
  events->SetHandler(nullptr, nullptr);
  events->Raise(4, "after", 0, 0);
  EXPECT_EQ(seen.calls, 2);
}

}  // namespace
