#pragma once
// Validation of a property value against its pattern, as the text properties use it before they store
// a value.

#include <windows.h>
#include <oleauto.h>

#include <cstdint>

// 1 when the value, converted to text in the ANSI code page and trimmed of blanks, is matched whole by
// the pattern; an empty value is valid when allowEmpty is 1 or the pattern matches the empty text.
// Otherwise, and when the pattern does not compile, 0. The value itself is left unchanged.
int32_t ValidatePatternInput(VARIANT value, const char* pattern, int32_t allowEmpty);
