// CNotifySink: only a ready-state change to complete reaches the control, once per completed load.
#include <gtest/gtest.h>
#include <windows.h>
#include <olectl.h>
#include <ocidl.h>

#include "HostingTestSupport.h"
#include "comkit/ComText.h"
#include "hosting/NotifySink.h"

namespace {

class ReadyStateSink : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.GetControl(), nullptr);
    host_.GetControl()->ReplaceDocumentForTest(document_.get());
    sink_ = ht::Query<IPropertyNotifySink>(host_.Identity());
    ASSERT_NE(sink_, nullptr);
    refsBefore_ = document_.refs;
  }
  void TearDown() override {
    // Reading the state leaves the document's count as it found it.
    EXPECT_EQ(document_.refs, refsBefore_);
    if (sink_) sink_->Release();
    host_.Destroy();
    EXPECT_EQ(document_.refs, 0);
  }
  UINT Completions() const { return host_.GetControl()->CompletedLoads(); }

  ht::FakeDocument document_;  // outlives the control, which holds it
  ht::HostedControl host_;
  IPropertyNotifySink* sink_ = nullptr;
  LONG refsBefore_ = 0;
};

TEST_F(ReadyStateSink, ChangesOfOtherPropertiesAreNotEvenRead) {
  document_.readyState = READYSTATE_COMPLETE;
  for (DISPID id : {DISPID_VALUE, DISPID_UNKNOWN, DISPID_READYSTATE + 1, DISPID_READYSTATE - 1, 1000}) {
    EXPECT_EQ(sink_->OnChanged(id), S_OK);
  }
  EXPECT_EQ(document_.reads, 0);
  EXPECT_EQ(Completions(), 0u);
}

TEST_F(ReadyStateSink, ReadyStateIsReadAsAPropertyWithNoArguments) {
  document_.readyState = READYSTATE_LOADING;
  EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  EXPECT_EQ(document_.reads, 1);
  EXPECT_EQ(document_.lastId, DISPID_READYSTATE);
  EXPECT_EQ(document_.lastId, -525);
  EXPECT_TRUE(IsEqualIID(document_.lastRiid, IID_NULL));
  EXPECT_EQ(document_.lastLcid, LCID(0x800));
  EXPECT_EQ(document_.lastFlags, WORD(DISPATCH_PROPERTYGET));
  EXPECT_EQ(document_.lastArgCount, 0u);
  EXPECT_TRUE(document_.lastHadResult);
}

TEST_F(ReadyStateSink, InteractiveStateTriggersNothing) {
  document_.readyState = READYSTATE_INTERACTIVE;
  EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  EXPECT_EQ(document_.reads, 1);
  EXPECT_EQ(Completions(), 0u);
}

TEST_F(ReadyStateSink, CompleteStateRunsDocumentCompleteForEveryLoad) {
  for (LONG state : {READYSTATE_LOADING, READYSTATE_INTERACTIVE, READYSTATE_COMPLETE}) {
    document_.readyState = state;
    EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  }
  EXPECT_EQ(Completions(), 1u);
  // A second load of the same document.
  for (LONG state : {READYSTATE_LOADING, READYSTATE_INTERACTIVE, READYSTATE_COMPLETE}) {
    document_.readyState = state;
    EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  }
  EXPECT_EQ(Completions(), 2u);
}

TEST_F(ReadyStateSink, CompleteStateDeliveredAsAnotherIntegerTypeStillCounts) {
  document_.readyState = READYSTATE_COMPLETE;
  document_.readyStateType = VT_I2;
  EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  EXPECT_EQ(Completions(), 1u);
}

TEST_F(ReadyStateSink, FailedReadIsIgnored) {
  document_.readyState = READYSTATE_COMPLETE;
  document_.readResult = E_FAIL;
  EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  document_.readResult = DISP_E_MEMBERNOTFOUND;
  EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  EXPECT_EQ(document_.reads, 2);
  EXPECT_EQ(Completions(), 0u);
}

TEST_F(ReadyStateSink, WithoutADocumentNothingIsRead) {
  host_.GetControl()->ReplaceDocumentForTest(nullptr);
  refsBefore_ = 0;
  document_.readyState = READYSTATE_COMPLETE;
  EXPECT_EQ(sink_->OnChanged(DISPID_READYSTATE), S_OK);
  EXPECT_EQ(document_.reads, 0);
  EXPECT_EQ(Completions(), 0u);
}

TEST_F(ReadyStateSink, EditRequestsAreAlwaysGranted) {
  EXPECT_EQ(sink_->OnRequestEdit(DISPID_READYSTATE), S_OK);
  EXPECT_EQ(sink_->OnRequestEdit(DISPID_VALUE), S_OK);
  EXPECT_EQ(document_.reads, 0);
}

// An owner whose work on a completed load runs out of memory (an engine string that cannot be made).
class OutOfMemoryOwner final : public ISiteOwner {
 public:
  explicit OutOfMemoryOwner(IHTMLDocument2* document) : document_(document) {}
  IUnknown* Identity() const override { return nullptr; }
  HWND ControlWindow() const override { return nullptr; }
  IHTMLDocument2* Document() const override { return document_; }
  void OnDocumentComplete() override {
    ++completions;
    throw ComOutOfMemory{};
  }
  int completions = 0;

 private:
  IHTMLDocument2* document_;
};

TEST(SinkBoundary, AFailureOfTheOwnersCompletionIsAnsweredAndNeverUnwindsIntoTheEngine) {
  ht::FakeDocument document;
  document.readyState = READYSTATE_COMPLETE;
  OutOfMemoryOwner owner(document.get());
  CNotifySink sink(&owner);
  HRESULT hr = S_OK;
  EXPECT_NO_THROW(hr = sink.OnChanged(DISPID_READYSTATE));
  EXPECT_EQ(hr, E_OUTOFMEMORY);
  EXPECT_EQ(owner.completions, 1);
  EXPECT_EQ(document.refs, 0);
}

TEST(OrphanSink, ReadyStateWithoutAnOwnerIsIgnored) {
  CNotifySink orphan(nullptr);
  EXPECT_EQ(orphan.OnChanged(DISPID_READYSTATE), S_OK);
  EXPECT_EQ(orphan.OnRequestEdit(DISPID_READYSTATE), S_OK);
}

}  // namespace
