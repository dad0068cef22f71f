// The character sets a saved page may declare, and the Windows code pages behind them.
//
// One constant table, searched from its first row: where a name or a code page occurs twice, the first
// row wins. Names compare without regard to ASCII case; they are written out exactly as the table has them.
#pragma once

#include <cstddef>
#include <cstdint>

struct CharsetRow {
  const char* name;   // as written into a content-type meta
  uint32_t codePage;  // Windows code page identifier
};

// The rows, first to last.
const CharsetRow* Charset_Rows(size_t& count);

// The code page of the first row named name (length characters); 0 when no row has that name.
uint32_t Charset_CodePageOfName(const char* name, size_t length);
// The name of the first row with codePage; null when no row has it.
const char* Charset_NameOfCodePage(uint32_t codePage);

// The code page that a content value such as "text/html; charset=koi8-r" names; 0 when it names no
// charset, or one the table does not know. The name starts one character after "charset" (the
// character there is passed over whatever it is); blanks and equals signs before it are skipped, and it
// runs over letters, digits, hyphens and underscores ("shift_jis", "ks_c_5601-1987").
uint32_t Charset_CodePageOfContent(const char* content);
