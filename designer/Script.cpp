#include "Script.h"

#include <windows.h>

#include <commctrl.h>

#include <sstream>

#include "DesignerWindow.h"
#include "FormFiles.h"
#include "Picture.h"
#include "resource.h"
#include "vellum.h"

namespace {

struct KindName {
  const char* name;
  UINT kind;
};
constexpr KindName kKinds[] = {
    {"label", VLM_KIND_LABEL},       {"textbox", VLM_KIND_TEXTBOX}, {"button", VLM_KIND_BUTTON},
    {"checkbox", VLM_KIND_CHECKBOX}, {"radio", VLM_KIND_RADIO},     {"file", VLM_KIND_FILE},
    {"textarea", VLM_KIND_TEXTAREA}, {"frame", VLM_KIND_FRAME},     {"image", VLM_KIND_IMAGE},
    {"list", VLM_KIND_LIST},         {"choice", VLM_KIND_CHOICE},   {"object", VLM_KIND_OBJECT}};

struct Named {
  const char* name;
  UINT value;
};
constexpr Named kAlignments[] = {{"lefts", ID_FORMAT_ALIGN_LEFTS}, {"rights", ID_FORMAT_ALIGN_RIGHTS},
                                 {"tops", ID_FORMAT_ALIGN_TOPS},   {"bottoms", ID_FORMAT_ALIGN_BOTTOMS},
                                 {"width", ID_FORMAT_SAME_WIDTH},  {"height", ID_FORMAT_SAME_HEIGHT},
                                 {"size", ID_FORMAT_SAME_SIZE}};
constexpr Named kKeys[] = {{"left", VK_LEFT}, {"right", VK_RIGHT},   {"up", VK_UP},
                           {"down", VK_DOWN}, {"delete", VK_DELETE}, {"escape", VK_ESCAPE}};
constexpr Named kPlainCommands[] = {{"undo", ID_EDIT_UNDO},      {"redo", ID_EDIT_REDO},   {"cut", ID_EDIT_CUT},
                                    {"copy", ID_EDIT_COPY},      {"paste", ID_EDIT_PASTE}, {"delete", ID_EDIT_DELETE},
                                    {"cancel", ID_INSERT_CANCEL}};

template <class T, size_t N>
const T* Find(const T (&table)[N], const std::string& name) {
  for (const T& entry : table)
    if (name == entry.name) return &entry;
  return nullptr;
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), size);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

bool Number(const std::string& word, int& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  const long parsed = strtol(word.c_str(), &end, 10);
  if (*end != '\0') return false;
  value = static_cast<int>(parsed);
  return true;
}

// Mouse and keys at the form, as the window manager delivers them.
void Press(HWND window, POINT at, WPARAM keys) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
}
void MoveTo(HWND window, POINT at, WPARAM keys) { SendMessageW(window, WM_MOUSEMOVE, keys, MAKELPARAM(at.x, at.y)); }
void Release(HWND window, POINT at, WPARAM keys) { SendMessageW(window, WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y)); }

void Drag(HWND window, POINT from, POINT to) {
  Press(window, from, 0);
  for (int step = 1; step <= 4; ++step)
    MoveTo(window, {from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4}, MK_LBUTTON);
  Release(window, to, 0);
}

void PressKey(HWND control, UINT vk, bool shift) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const BYTE saved = keys[VK_SHIFT];
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageW(control, WM_KEYDOWN, vk, 1);
  SendMessageW(control, WM_KEYUP, vk, 0xC0000001);
  keys[VK_SHIFT] = saved;
  SetKeyboardState(keys);
}

// The sheet's part of a "properties" line, done from inside its modal loop by a thread timer.
struct SheetScript {
  std::vector<std::pair<std::wstring, std::wstring>> attributes;
  std::string ending;  // ok, apply or cancel
  int step = 0;
  bool seen = false;
  bool busy = false;
  DWORD started = 0;
};
SheetScript* sheetScript = nullptr;

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (IsWindowVisible(window) && IsWindowEnabled(window) && lstrcmpW(name, L"#32770") == 0 &&
      SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK SheetTick(HWND, UINT, UINT_PTR, DWORD) {
  SheetScript* script = sheetScript;
  if (!script || script->busy) return;
  HWND sheet = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
  if (!sheet) return;
  script->busy = true;
  script->seen = true;
  if (GetTickCount() - script->started > 10000) {
    PostMessageW(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);  // a sheet that will not close is cancelled
  } else if (script->step == 0) {
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);  // the Custom page
    ++script->step;
  } else if (script->step == 1) {
    const HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (const auto& [name, value] : script->attributes) {
      SetDlgItemTextW(page, 1014, name.c_str());
      SetDlgItemTextW(page, 1015, value.c_str());
      SendMessageW(page, WM_COMMAND, MAKEWPARAM(1016, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 1016)));
    }
    if (script->ending == "apply") PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(0x3021, BN_CLICKED), 0);
    ++script->step;
  } else if (script->step == 2) {
    PostMessageW(GetDlgItem(sheet, script->ending == "cancel" ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
    ++script->step;
  }
  script->busy = false;
}

class Runner {
 public:
  explicit Runner(CDesignerWindow& designer) : designer_(designer) {}

  // Runs one line's words; false with the reason in error_.
  bool Run(const std::vector<std::string>& words) {
    const std::string& verb = words[0];
    const size_t count = words.size();
    if (verb == "new")
      return Expect(count == 1, "new takes nothing") && Did(designer_.New(), "the new form could not be made");
    if (verb == "open")
      return Expect(count == 2, "open PATH") && Did(designer_.Open(Wide(words[1])), "the file could not be opened");
    if (verb == "save")
      return Expect(count == 2, "save PATH") && Did(designer_.SaveAs(Wide(words[1])), "the form could not be saved");
    if (verb == "shot") return Expect(count == 2, "shot PATH") && Shot(Wide(words[1]));
    if (verb == "insert") return Insert(words);
    if (verb == "click") return Click(words);
    if (verb == "key") return Key(words);
    if (verb == "align") {
      const Named* alignment = count == 2 ? Find(kAlignments, words[1]) : nullptr;
      return Expect(alignment != nullptr, "align lefts|rights|tops|bottoms|width|height|size") &&
             Did(designer_.RunCommand(alignment->value), "the control refused the alignment");
    }
    if (verb == "preview" || verb == "lock") {
      if (!Expect(count == 2 && (words[1] == "on" || words[1] == "off"), verb + " on|off")) return false;
      const bool on = words[1] == "on";
      if (verb == "preview")
        return Did(designer_.RunCommand(on ? ID_VIEW_PREVIEW : ID_VIEW_DESIGN), "the mode did not change");
      const bool locked = GetMenuState(GetMenu(designer_.GetHwnd()), ID_VIEW_LOCK, MF_BYCOMMAND) & MF_CHECKED;
      return locked == on || designer_.RunCommand(ID_VIEW_LOCK);
    }
    if (verb == "properties") return Properties(words);
    if (const Named* command = Find(kPlainCommands, verb))
      return Expect(count == 1, verb + " takes nothing") &&
             Did(designer_.RunCommand(command->value), "the control refused " + verb);
    error_ = "unknown command \"" + verb + "\"";
    return false;
  }

  const std::string& Error() const { return error_; }

 private:
  bool Expect(bool condition, const std::string& usage) {
    if (!condition) error_ = "usage: " + usage;
    return condition;
  }
  bool Did(bool done, const std::string& failure) {
    if (!done) error_ = failure;
    designer_.Settle();
    return done;
  }

  bool Insert(const std::vector<std::string>& words) {
    const KindName* kind = words.size() >= 6 ? Find(kKinds, words[1]) : nullptr;
    int x = 0, y = 0, w = 0, h = 0;
    if (!Expect(kind && Number(words[2], x) && Number(words[3], y) && Number(words[4], w) && Number(words[5], h) &&
                    words.size() == (kind->kind == VLM_KIND_OBJECT ? 7u : 6u),
                "insert KIND X Y W H (an object adds its CLSID)"))
      return false;
    bool armed = false;
    if (kind->kind == VLM_KIND_OBJECT) {
      CLSID clsid;
      if (FAILED(CLSIDFromString(Wide(words[6]).c_str(), &clsid))) {
        error_ = "\"" + words[6] + "\" is no CLSID";
        return false;
      }
      armed = SendMessageW(designer_.Control(), VLM_BEGININSERT, kind->kind, reinterpret_cast<LPARAM>(&clsid)) == 1;
    } else {
      armed = designer_.RunCommand(ID_INSERT_BASE + kind->kind);
    }
    if (!armed) {
      error_ = "the control would not arm the insertion (locked, or in preview?)";
      return false;
    }
    // The form's text grows by the new element: a drawing the control refused leaves it as it was.
    const LRESULT before = SendMessageW(designer_.Control(), VLM_GETCODE, 0, 0);
    Drag(designer_.Surface(), {x, y}, {x + w, y + h});
    designer_.Settle();
    return Did(SendMessageW(designer_.Control(), VLM_GETCODE, 0, 0) > before, "nothing was inserted there");
  }

  bool Click(const std::vector<std::string>& words) {
    int x = 0, y = 0;
    if (!Expect((words.size() == 3 || words.size() == 4) && Number(words[1], x) && Number(words[2], y),
                "click X Y [shift|ctrl]"))
      return false;
    WPARAM keys = 0;
    if (words.size() == 4) {
      if (!Expect(words[3] == "shift" || words[3] == "ctrl", "click X Y [shift|ctrl]")) return false;
      keys = words[3] == "shift" ? MK_SHIFT : MK_CONTROL;
    }
    const HWND surface = designer_.Surface();
    Press(surface, {x, y}, keys);
    Release(surface, {x, y}, keys);
    designer_.Settle();
    return true;
  }

  bool Key(const std::vector<std::string>& words) {
    const Named* key = words.size() >= 2 ? Find(kKeys, words[1]) : nullptr;
    if (!Expect(key && (words.size() == 2 || (words.size() == 3 && words[2] == "shift")),
                "key left|right|up|down|delete|escape [shift]"))
      return false;
    if (key->value == VK_ESCAPE) return Did(designer_.RunCommand(ID_INSERT_CANCEL), "nothing to cancel");
    PressKey(designer_.Control(), key->value, words.size() == 3);
    designer_.Settle();
    return true;
  }

  bool Properties(const std::vector<std::string>& words) {
    SheetScript script;
    size_t i = 1;
    for (; i + 2 < words.size() && words[i] == "set"; i += 3)
      script.attributes.emplace_back(Wide(words[i + 1]), Wide(words[i + 2]));
    if (!Expect(i + 1 == words.size() && (words[i] == "ok" || words[i] == "apply" || words[i] == "cancel"),
                "properties (set NAME VALUE)... ok|apply|cancel"))
      return false;
    script.ending = words[i];
    script.started = GetTickCount();
    sheetScript = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, SheetTick);
    const LRESULT closedWithOk = SendMessageW(designer_.Control(), VLM_PROPERTIES, 0, 0);
    KillTimer(nullptr, timer);
    sheetScript = nullptr;
    designer_.Settle();
    if (!script.seen) {
      error_ = "the property sheet did not open";
      return false;
    }
    if ((script.ending == "cancel") == (closedWithOk == 1)) {
      error_ = "the property sheet did not close as asked";
      return false;
    }
    return true;
  }

  bool Shot(const std::wstring& path) {
    RedrawWindow(designer_.GetHwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    designer_.Settle();
    return Did(SaveWindowPicture(designer_.GetHwnd(), form_files::FullPath(path)), "the picture could not be written");
  }

  CDesignerWindow& designer_;
  std::string error_;
};

}  // namespace

std::vector<std::string> ScriptWords(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '"') {
      const size_t end = line.find('"', i + 1);
      word = line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? line.size() : end + 1;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

ScriptResult RunScriptText(CDesignerWindow& designer, const std::string& text) {
  ScriptResult result;
  designer.SetScripted(true);
  Runner runner(designer);
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    ++result.line;
    const std::vector<std::string> words = ScriptWords(line);
    if (words.empty() || words[0][0] == '#') continue;
    if (!runner.Run(words)) {
      result.ok = false;
      result.message = runner.Error();
      break;
    }
  }
  designer.SetScripted(false);
  if (result.ok) result.line = 0;
  return result;
}

ScriptResult RunScriptFile(CDesignerWindow& designer, const std::wstring& path) {
  std::string text;
  if (!form_files::ReadBytes(path, text)) {
    ScriptResult result;
    result.ok = false;
    result.message = "the script cannot be read";
    return result;
  }
  return RunScriptText(designer, text);
}
