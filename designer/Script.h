// Designer scripts: one command a line, run through the same operations as the menus. Blank lines and
// lines starting with '#' are skipped; a word with blanks is written in double quotes.
//
//   new | open PATH | save PATH
//   insert KIND X Y W H [CLSID]      KIND: label textbox button checkbox radio file textarea frame image
//                                    list choice object (an object names its CLSID)
//   click X Y [shift|ctrl]           a click on the form at (X, Y)
//   key NAME [shift]                 left right up down delete escape
//   align lefts|rights|tops|bottoms|width|height|size
//   undo | redo | cut | copy | paste | delete | cancel
//   preview on|off | lock on|off
//   properties (set NAME VALUE)... ok|apply|cancel
//                                    the sheet for the selection (or the body): attributes set on its
//                                    Custom page, then its OK, Apply then OK, or Cancel
//   shot PATH                        a picture of the designer window (PNG)
#pragma once

#include <string>
#include <vector>

class CDesignerWindow;

struct ScriptResult {
  bool ok = true;
  int line = 0;         // the line that failed
  std::string message;  // why
};

ScriptResult RunScriptText(CDesignerWindow& designer, const std::string& text);
ScriptResult RunScriptFile(CDesignerWindow& designer, const std::wstring& path);

// The words of a line: blanks separate them, double quotes hold blanks in one.
std::vector<std::string> ScriptWords(const std::string& line);
