// Loading code through a temporary file in the host's directory, and falling back to memory.
#include <string>

#include "ProtocolFixture.h"

namespace pt {
namespace {

std::string MakeTempDir() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string dir = std::string(base) + "vellum-protocol-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

int CountFiles(const std::string& dir, const char* pattern) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "\\" + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n;
  while (FindNextFileA(find, &data));
  FindClose(find);
  return n;
}

TEST_F(Protocol, CodeLoadsThroughATemporaryFileThatGoesAtCompletion) {
  ASSERT_NE(CreateControl(), nullptr);
  std::string dir = MakeTempDir();
  EXPECT_EQ(Send(VLM_SETTEMPDIR, 0, reinterpret_cast<LPARAM>(dir.c_str())), 1);
  const char* code = "<html><body><span>through a file</span></body></html>";
  EXPECT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(code)), 1);
  EXPECT_EQ(CountFiles(dir, "qxv*"), 1);  // on disk until the document completes
  ASSERT_TRUE(WaitForLoads(2));
  EXPECT_EQ(CountFiles(dir, "qxv*"), 0);
  RemoveDirectoryA(dir.c_str());
}

TEST_F(Protocol, ALoadThatReplacesAnUnfinishedOneLeavesNoTemporaryFileBehind) {
  ASSERT_NE(CreateControl(), nullptr);
  std::string dir = MakeTempDir();
  Send(VLM_SETTEMPDIR, 0, reinterpret_cast<LPARAM>(dir.c_str()));
  EXPECT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>("<p>first</p>")), 1);
  EXPECT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>("<p>second</p>")), 1);  // no messages between
  WaitForLoads(GetControl()->CompletedLoads() + 1);
  vt::PumpPending();
  EXPECT_EQ(CountFiles(dir, "qxv*"), 0);
  RemoveDirectoryA(dir.c_str());
}

TEST_F(Protocol, ATemporaryFileNeverOutlivesTheControl) {
  ASSERT_NE(CreateControl(), nullptr);
  std::string dir = MakeTempDir();
  Send(VLM_SETTEMPDIR, 0, reinterpret_cast<LPARAM>(dir.c_str()));
  EXPECT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>("<p>never completes</p>")), 1);
  EXPECT_EQ(CountFiles(dir, "qxv*"), 1);
  DestroyControl();  // before the load completes
  EXPECT_EQ(CountFiles(dir, "qxv*"), 0);
  RemoveDirectoryA(dir.c_str());
}

TEST_F(Protocol, AnUnusableDirectoryFallsBackToLoadingFromMemory) {
  ASSERT_NE(CreateControl(), nullptr);
  Send(VLM_SETTEMPDIR, 0, reinterpret_cast<LPARAM>("C:\\no\\such\\directory\\at\\all"));
  EXPECT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>("<p>from memory</p>")), 1);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NONE));
  EXPECT_TRUE(WaitForLoads(2));
}

TEST_F(Protocol, ClearingTheTempDirLoadsFromMemory) {
  ASSERT_NE(CreateControl(), nullptr);
  std::string dir = MakeTempDir();
  Send(VLM_SETTEMPDIR, 0, reinterpret_cast<LPARAM>(dir.c_str()));
  EXPECT_EQ(Send(VLM_SETTEMPDIR, 0, 0), 1);
  EXPECT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>("<p>memory</p>")), 1);
  EXPECT_EQ(CountFiles(dir, "qxv*"), 0);
  EXPECT_TRUE(WaitForLoads(2));
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace pt
