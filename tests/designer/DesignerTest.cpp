// The designer as a user meets it: commands that follow the form's state, the dirty marker and the save
// prompt, files that read back as the same bytes, the status bar, accelerators and the toolbox.
#include <windows.h>

#include <commctrl.h>

#include "DesignerFixture.h"
#include "ImageCompare.h"
#include "MessagePump.h"
#include "ModalDriver.h"
#include "WindowCapture.h"
#include "evbus.h"
#include "resource.h"
#include "vellum.h"

namespace dz {
namespace {

const char kTwoLabels[] = "new\ninsert label 20 20 80 20\ninsert label 20 60 80 20\n";

TEST_F(Designer, CommandsFollowTheSelectionTheLockAndPreview) {
  Script(kTwoLabels);
  Script("click 300 100\n");  // bare form: nothing selected
  EXPECT_FALSE(Enabled(ID_EDIT_COPY));
  EXPECT_FALSE(Enabled(ID_EDIT_CUT));
  EXPECT_FALSE(Enabled(ID_FORMAT_ALIGN_LEFTS));
  EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(Enabled(ID_EDIT_REDO));
  Script("click 25 25\n");
  EXPECT_TRUE(Enabled(ID_EDIT_COPY));
  EXPECT_TRUE(Enabled(ID_EDIT_CUT));
  EXPECT_FALSE(Enabled(ID_FORMAT_ALIGN_LEFTS));  // one element has nothing to line up with
  Script("click 25 65 shift\n");
  EXPECT_TRUE(Enabled(ID_FORMAT_ALIGN_LEFTS));
  EXPECT_TRUE(Enabled(ID_INSERT_BUTTON));

  Script("lock on\n");
  EXPECT_TRUE(Enabled(ID_EDIT_COPY));
  EXPECT_FALSE(Enabled(ID_EDIT_CUT));
  EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(Enabled(ID_FORMAT_ALIGN_LEFTS));
  EXPECT_FALSE(Enabled(ID_INSERT_BUTTON));
  EXPECT_FALSE(SendMessageW(designer_->Toolbox(), TB_ISBUTTONENABLED, ID_INSERT_BUTTON, 0));
  Script("lock off\npreview on\n");
  EXPECT_FALSE(Enabled(ID_INSERT_BUTTON));
  EXPECT_FALSE(Enabled(ID_EDIT_PROPERTIES));
  EXPECT_FALSE(Enabled(ID_EDIT_COPY));
  Script("preview off\n");
  EXPECT_TRUE(Enabled(ID_INSERT_BUTTON));
  EXPECT_TRUE(SendMessageW(designer_->Toolbox(), TB_ISBUTTONENABLED, ID_INSERT_BUTTON, 0));
}

TEST_F(Designer, TheTitleMarksUnsavedChangesAndNewAsksBeforeDroppingThem) {
  EXPECT_EQ(Title(), L"Untitled - Vellum Designer");
  Script(kTwoLabels);
  EXPECT_EQ(Title(), L"*Untitled - Vellum Designer");
  std::wstring question;
  {
    vt::ModalDriver answer(
        {vt::Do([&](HWND box) { question = vt::ItemText(box, 0xFFFF); }), vt::ClickButton(IDCANCEL)});
    EXPECT_FALSE(designer_->RunCommand(ID_FILE_NEW));
    EXPECT_TRUE(answer.Finished());
  }
  EXPECT_EQ(question, L"Save the changes to the new form?");
  EXPECT_NE(Code().find("label1"), std::string::npos);  // Cancel kept the form
  {
    vt::ModalDriver answer({vt::ClickButton(IDNO)});
    EXPECT_TRUE(designer_->RunCommand(ID_FILE_NEW));
    EXPECT_TRUE(answer.Finished());
  }
  EXPECT_EQ(Code().find("label1"), std::string::npos);
  EXPECT_EQ(Title(), L"Untitled - Vellum Designer");
  // Open asks the same before it replaces unsaved changes.
  Script("insert label 10 10 60 20\n");
  {
    vt::ModalDriver answer({vt::ClickButton(IDCANCEL)});
    EXPECT_FALSE(designer_->Open(HostPath(DESIGNER_SAMPLES_DIR "/login-form.html")));
    EXPECT_TRUE(answer.Finished());
  }
  EXPECT_NE(Code().find("<SPAN"), std::string::npos);
  EXPECT_EQ(Code().find("signin"), std::string::npos);
  {
    vt::ModalDriver answer({vt::ClickButton(IDNO)});
    EXPECT_TRUE(designer_->Open(HostPath(DESIGNER_SAMPLES_DIR "/login-form.html")));
    EXPECT_TRUE(answer.Finished());
  }
  EXPECT_NE(Code().find("signin"), std::string::npos);
  Script("new\n");
  // Undo and redo change the form without a notice from the control: the marker follows them too.
  Script("insert button 10 10 60 24\n");
  const std::wstring saved = TempFile(L"designer-title.html");
  ASSERT_TRUE(designer_->SaveAs(saved));
  EXPECT_EQ(Title(), L"designer-title.html - Vellum Designer");
  Script("undo\n");
  EXPECT_EQ(Title(), L"*designer-title.html - Vellum Designer");
  DeleteFileW(saved.c_str());
}

TEST_F(Designer, ClosingWithUnsavedChangesSavesWhenTheUserSaysYes) {
  const std::wstring path = TempFile(L"designer-close.html");
  Script("new\ninsert textbox 10 10 120 22\n");
  ASSERT_TRUE(designer_->SaveAs(path));
  Script("insert button 10 50 60 24\n");
  {
    vt::ModalDriver answer({vt::ClickButton(IDYES)});
    SendMessageW(designer_->GetHwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(answer.Finished());
  }
  EXPECT_FALSE(IsWindow(designer_->GetHwnd()));
  EXPECT_NE(ReadAll(path).find("button"), std::string::npos);
  DeleteFileW(path.c_str());
}

// A page in each character set the designer is asked to keep: what it saves, it reads back as the same
// bytes, and the page's own characters are written in its own encoding.
TEST_F(Designer, FormsReadBackAsTheSameBytesInTheirOwnCharacterSet) {
  struct Case {
    const char* charset;
    const char* text;  // in that character set
  };
  const Case cases[] = {{"windows-1252", "Cr\xe8me br\xfbl\xe9e"},
                        {"utf-8", "Cr\xc3\xa8me br\xc3\xbbl\xc3\xa9e"},
                        {"koi8-r", "\xf0\xd2\xc9\xd7\xc5\xd4"},
                        {"shift_jis", "\x93\xfa\x96\x7b\x8c\xea"}};
  for (const Case& c : cases) {
    const std::string page =
        std::string("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + c.charset +
        "\"><title>Form</title></head><body width=\"300\" height=\"100\">"
        "<span id=\"l\" style=\"position: absolute; left: 10px; top: 10px\">" +
        c.text + "</span></body></html>";
    const std::wstring source = TempFile(L"designer-source.html"), first = TempFile(L"designer-first.html"),
                       second = TempFile(L"designer-second.html");
    WriteAll(source, page);
    ASSERT_TRUE(designer_->Open(source)) << c.charset;
    EXPECT_FALSE(designer_->Dirty());
    ASSERT_TRUE(designer_->SaveAs(first)) << c.charset;
    ASSERT_TRUE(designer_->Open(first)) << c.charset;
    ASSERT_TRUE(designer_->SaveAs(second)) << c.charset;
    const std::string saved = ReadAll(first);
    EXPECT_NE(saved.find(c.text), std::string::npos) << c.charset << "\n" << saved;
    EXPECT_EQ(ReadAll(second), saved) << c.charset;
    for (const std::wstring& path : {source, first, second}) DeleteFileW(path.c_str());
  }
}

TEST_F(Designer, EverySampleFormOpensAndReadsBackTheSame) {
  for (const char* sample : {"contact-form.html", "login-form.html", "order-form.html", "russian-form-koi8r.html"}) {
    const std::wstring first = TempFile(L"designer-sample-1.html"), second = TempFile(L"designer-sample-2.html");
    ASSERT_TRUE(designer_->Open(HostPath((std::string(DESIGNER_SAMPLES_DIR "/") + sample).c_str()))) << sample;
    ASSERT_TRUE(designer_->SaveAs(first)) << sample;
    ASSERT_TRUE(designer_->Open(first)) << sample;
    ASSERT_TRUE(designer_->SaveAs(second)) << sample;
    EXPECT_EQ(ReadAll(second), ReadAll(first)) << sample;
    EXPECT_NE(ReadAll(first).find("<INPUT"), std::string::npos) << sample;
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());
  }
}

TEST_F(Designer, TheStatusBarShowsTheDrawnRectangleTheFormSizeAndRejectedInput) {
  Script("new\ninsert button 30 40 70 25\n");
  vt::PumpPending();
  EXPECT_EQ(designer_->StatusText(kStatusTrack), L"30, 40   70 x 25");
  Script("properties set width 320 set height 140 apply\n");
  EXPECT_EQ(designer_->StatusText(kStatusForm), L"Form 320 x 140");
  Get_IEvents()->Raise(12, "The property format is:\n[0-9]+", 0, 7);
  EXPECT_EQ(designer_->StatusText(kStatusMessage), L"The property format is: [0-9]+");
}

TEST_F(Designer, AcceleratorsAndTheToolboxReachTheSameCommands) {
  Script("new\n");
  // The toolbox's Button arms the insertion; the user draws it on the form.
  SendMessageW(designer_->GetHwnd(), WM_COMMAND, ID_INSERT_BUTTON, reinterpret_cast<LPARAM>(designer_->Toolbox()));
  const HWND surface = designer_->Surface();
  SendMessageW(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
  SendMessageW(surface, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 70));
  SendMessageW(surface, WM_LBUTTONUP, 0, MAKELPARAM(100, 70));
  vt::PumpPending();
  EXPECT_NE(Code().find("button1"), std::string::npos);
  // Ctrl+Z as the message loop sees it.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG press = {designer_->Control(), WM_KEYDOWN, 'Z', 1, 0, {0, 0}};
  const bool taken = designer_->TranslateKeys(press);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(taken);
  designer_->Settle();
  EXPECT_EQ(Code().find("button1"), std::string::npos);
}

TEST_F(Designer, AnObjectIsInsertedByTheClsidTypedInItsDialog) {
  Script("new\n");
  bool listed = false;
  {
    vt::ModalDriver dialog({vt::Do([&](HWND box) {
                              listed = GetDlgItem(box, IDC_CLSID_LIST) != nullptr;
                              SetDlgItemTextW(box, IDC_CLSID_TEXT, L"{8856F961-340A-11D0-A96B-00C04FD705A2}");
                            }),
                            vt::ClickButton(IDOK)});
    EXPECT_TRUE(designer_->RunCommand(ID_INSERT_OBJECT));
    EXPECT_TRUE(dialog.Finished());
  }
  EXPECT_TRUE(listed);
  const HWND surface = designer_->Surface();
  SendMessageW(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
  SendMessageW(surface, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 90));
  SendMessageW(surface, WM_LBUTTONUP, 0, MAKELPARAM(130, 90));
  vt::PumpPending();
  const std::string code = Code();
  EXPECT_NE(code.find("<OBJECT"), std::string::npos) << code;
  EXPECT_NE(code.find("8856F961-340A-11D0-A96B-00C04FD705A2"), std::string::npos) << code;
  // Cancel arms nothing.
  {
    vt::ModalDriver dialog({vt::ClickButton(IDCANCEL)});
    EXPECT_FALSE(designer_->RunCommand(ID_INSERT_OBJECT));
  }
}

TEST_F(Designer, RecentFilesReopenFromTheFileMenu) {
  const std::wstring path = TempFile(L"designer-recent.html");
  Script("new\ninsert label 10 10 80 20\n");
  ASSERT_TRUE(designer_->SaveAs(path));
  Script("new\n");
  EXPECT_TRUE(designer_->RunCommand(ID_FILE_RECENT_FIRST));
  EXPECT_EQ(designer_->Path(), path);
  EXPECT_NE(Code().find("label1"), std::string::npos);
  DeleteFileW(path.c_str());
}

TEST_F(Designer, ADesignerWithAFormLooksAsTheReference) {
  ASSERT_TRUE(designer_->Open(HostPath(DESIGNER_SAMPLES_DIR "/contact-form.html")));
  Script("click 110 20\n");
  RedrawWindow(designer_->GetHwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  vt::PumpFor(100);
  const vt::Image picture = vt::CaptureWindow(designer_->GetHwnd());
  ASSERT_GT(picture.width, 0);
  const std::string mismatch =
      vt::CheckAgainstReference(picture, HostPath(DESIGNER_TEST_DIR "/reference/designer.png"), 8, 0.002);
  EXPECT_TRUE(mismatch.empty()) << mismatch;
}

}  // namespace
}  // namespace dz
