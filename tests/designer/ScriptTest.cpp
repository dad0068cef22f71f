// Designer scripts: their words, the line a failing script stops at, and designer.exe run on a script as
// the README's main job runs it.
#include <windows.h>

#include "DesignerFixture.h"

namespace dz {
namespace {

TEST(ScriptWords, BlanksSeparateAndQuotesHoldBlanks) {
  EXPECT_EQ(ScriptWords("  click 10\t20 shift\r"), (std::vector<std::string>{"click", "10", "20", "shift"}));
  EXPECT_EQ(ScriptWords("properties set title \"Your name\" ok"),
            (std::vector<std::string>{"properties", "set", "title", "Your name", "ok"}));
  EXPECT_TRUE(ScriptWords("   ").empty());
}

TEST_F(Designer, AFailingLineStopsTheScriptWithItsNumberAndWhy) {
  struct Case {
    const char* script;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"new\n# a comment\n\nbogus 1 2\ninsert label 1 1 5 5\n", 4, "unknown command \"bogus\""},
      {"new\ninsert label 10 10\n", 2, "usage: insert KIND X Y W H (an object adds its CLSID)"},
      {"new\nalign lefts\n", 2, "the control refused the alignment"},
      {"lock on\ninsert label 10 10 50 20\n", 2, "the control would not arm the insertion (locked, or in preview?)"},
      {"open Z:\\no\\such\\form.html\n", 1, "the file could not be opened"},
      {"new\nkey home\n", 2, "usage: key left|right|up|down|delete|escape [shift]"},
  };
  for (const Case& c : cases) {
    const ScriptResult result = RunScriptText(*designer_, c.script);
    EXPECT_FALSE(result.ok) << c.script;
    EXPECT_EQ(result.line, c.line) << c.script;
    EXPECT_EQ(result.message, c.message) << c.script;
    RunScriptText(*designer_, "lock off\n");
  }
  // What ran before the failing line stays done; nothing after it runs.
  EXPECT_FALSE(RunScriptText(*designer_, "new\ninsert label 10 10 60 20\nbogus\ninsert button 10 40 60 20\n").ok);
  EXPECT_NE(Code().find("label1"), std::string::npos);
  EXPECT_EQ(Code().find("button"), std::string::npos);
}

// designer.exe itself, as ./run demo starts it: the shipped script builds and saves a form and a picture;
// a script with a bad line ends the program with 2.
DWORD RunDesigner(const std::wstring& arguments, const std::wstring& folder) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring exe = module;
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"designer.exe";
  std::wstring command = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process))
    return 0xFFFF;
  WaitForSingleObject(process.hProcess, 120000);
  DWORD code = 0xFFFE;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST(DesignerProgram, TheShippedScriptBuildsAFormAndABadScriptEndsWithTwo) {
  const std::wstring folder = TempFile(L"designer-run");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring form = folder + L"\\form.html", picture = folder + L"\\designer.png";
  DeleteFileW(form.c_str());
  DeleteFileW(picture.c_str());
  EXPECT_EQ(
      RunDesigner(L"--headless --script \"" + HostPath(DESIGNER_SAMPLES_DIR "/build-a-form.script") + L"\"", folder),
      0u);
  const std::string saved = ReadAll(form);
  for (const char* id : {"label1", "textbox2", "choise4", "checkbox5", "radio6", "button7", "file8", "textarea9",
                         "frame10", "image11", "choise12"})
    EXPECT_NE(saved.find(id), std::string::npos) << id;
  EXPECT_NE(saved.find("value=\"Order\""), std::string::npos);
  EXPECT_GT(ReadAll(picture).size(), 1000u);

  const std::wstring bad = folder + L"\\bad.script";
  WriteAll(bad, "new\nfly away\n");
  EXPECT_EQ(RunDesigner(L"--headless --script \"" + bad + L"\"", folder), 2u);
  for (const std::wstring& path : {form, picture, bad}) DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace dz
