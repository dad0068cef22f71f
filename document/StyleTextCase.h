// The case of an inline style as the writer saves it: property names and keywords in lower case, as
// they have always been written; quoted strings, url(...) contents and font family names exactly as
// the engine reports them (a file name on a case-sensitive server, a face called "Times New Roman").
#pragma once

namespace dom2html {

void LowerStyleInPlace(wchar_t* text, int length);

}  // namespace dom2html
