#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "MessagePump.h"

namespace {

using namespace et;

class Loading : public ::testing::Test {
 protected:
  void SetUp() override {
    document_ = CreateDocument();
    ASSERT_NE(document_, nullptr) << "the HTML document class is not served by the engine";
  }
  void TearDown() override {
    if (document_) document_->Release();
    EXPECT_EQ(EngineLiveObjects(), 0);
  }
  IHTMLDocument2* document_ = nullptr;
  ComScope com_;
};

TEST_F(Loading, CompletesOnlyAfterTheMessageLoopRuns) {
  ReadyStateSink sink(document_);
  ASSERT_HRESULT_SUCCEEDED(LoadUtf16(document_, L"<html><body><span>x</span></body></html>"));
  EXPECT_EQ(ReadyState(document_), READYSTATE_LOADING);
  EXPECT_EQ(sink.Completions(), 0);
  IHTMLElement* body = reinterpret_cast<IHTMLElement*>(0xdeadbeef);
  EXPECT_EQ(document_->get_body(&body), S_OK);
  EXPECT_EQ(body, nullptr);  // no tree while loading
  ASSERT_TRUE(WaitComplete(document_));
  vt::PumpFor(50);
  EXPECT_EQ(sink.states, (std::vector<LONG>{READYSTATE_LOADING, READYSTATE_INTERACTIVE, READYSTATE_COMPLETE}));
}

TEST_F(Loading, EveryLoadCompletesExactlyOnce) {
  ReadyStateSink sink(document_);
  for (int i = 0; i < 3; ++i) {
    ASSERT_HRESULT_SUCCEEDED(LoadBytes(document_, "<html><body></body></html>"));
    ASSERT_TRUE(WaitComplete(document_));
  }
  vt::PumpFor(50);
  EXPECT_EQ(sink.Completions(), 3);
}

TEST_F(Loading, ASupersededLoadNeverCompletes) {
  ReadyStateSink sink(document_);
  ASSERT_HRESULT_SUCCEEDED(LoadBytes(document_, "<p>first</p>"));
  ASSERT_HRESULT_SUCCEEDED(LoadBytes(document_, "<p>second</p>"));
  ASSERT_TRUE(WaitComplete(document_));
  vt::PumpFor(50);
  EXPECT_EQ(sink.Completions(), 1);
}

TEST_F(Loading, ReleasingWhileLoadingLeavesNothingBehind) {
  ReadyStateSink sink(document_);
  ASSERT_HRESULT_SUCCEEDED(LoadBytes(document_, "<p>never parsed</p>"));
  sink.Disconnect();
  document_->Release();
  document_ = nullptr;
  vt::PumpFor(50);  // the posted parse finds no document
  EXPECT_EQ(sink.Refs(), 0);
}

TEST_F(Loading, SinksAreReleasedWithTheDocument) {
  ReadyStateSink sink(document_);
  EXPECT_EQ(sink.Refs(), 1);
  document_->Release();
  document_ = nullptr;
  EXPECT_EQ(sink.Refs(), 0);
}

TEST_F(Loading, OnlyThePropertyNotifyConnectionPointExists) {
  IConnectionPointContainer* container = nullptr;
  ASSERT_HRESULT_SUCCEEDED(
      document_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)));
  IConnectionPoint* point = reinterpret_cast<IConnectionPoint*>(0xdeadbeef);
  EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &point), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(point, nullptr);
  ASSERT_HRESULT_SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point));
  EXPECT_EQ(point->Unadvise(1234), CONNECT_E_NOCONNECTION);
  point->Release();
  container->Release();
}

TEST_F(Loading, MonikerLoadOfAMissingFileFailsAtOnce) {
  IPersistMoniker* persist = nullptr;
  ASSERT_HRESULT_SUCCEEDED(document_->QueryInterface(IID_IPersistMoniker, reinterpret_cast<void**>(&persist)));
  IMoniker* moniker = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CreateURLMoniker(nullptr, L"file:///C:/no/such/form.html", &moniker));
  EXPECT_HRESULT_FAILED(persist->Load(TRUE, moniker, nullptr, STGM_READ));
  EXPECT_EQ(ReadyState(document_), READYSTATE_COMPLETE);
  moniker->Release();
  persist->Release();
}

}  // namespace
