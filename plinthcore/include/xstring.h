// The core support library's strings: CXString (8-bit, system ANSI code page) and CXStringW (UTF-16).
//
// Every member is defined in the library (none inline), so that clients of the DLL link the same way
// whatever their optimisation level.
//
// Both are one class template. Storage comes from the default heap; every operation that may need memory
// reports whether it got it and leaves the string as it was when it did not, so an allocation failure is
// a result, never a corrupted string. Indexes and lengths are in characters of the string's own width.
#pragma once

#include <cstddef>
#include <type_traits>

#include "plinthcore_api.h"

struct HINSTANCE__;

template <class Ch>
class CXStringT {
 public:
  using Char = Ch;
  // The other width, converted through a code page on construction and assignment.
  using OtherChar = typename std::conditional<sizeof(Ch) == 1, wchar_t, char>::type;
  static constexpr int kNoLimit = -1;
  static constexpr unsigned kAnsiCodePage = 0;  // CP_ACP

  CXStringT() noexcept;
  CXStringT(const Ch* text);  // empty on null or when memory runs out
  CXStringT(const Ch* text, int length);
  CXStringT(const OtherChar* text);  // converted through the ANSI code page
  CXStringT(const CXStringT& other);
  CXStringT(CXStringT&& other) noexcept;
  ~CXStringT();

  CXStringT& operator=(const CXStringT& other);
  CXStringT& operator=(CXStringT&& other) noexcept;
  CXStringT& operator=(const Ch* text);
  CXStringT& operator=(const OtherChar* text);

  // Assignment that says whether it succeeded; on failure the string is unchanged.
  bool Assign(const Ch* text, int length = kNoLimit);
  // From the other width, converted through codePage (0 = ANSI); a null text gives the empty string.
  bool AssignConverted(const OtherChar* text, int length = kNoLimit, unsigned codePage = kAnsiCodePage);

  int GetLength() const noexcept;
  // Bytes that the text and its terminating zero occupy.
  size_t GetSize() const noexcept;
  bool IsEmpty() const noexcept;
  void Empty() noexcept;  // also gives the memory back

  const Ch* GetString() const noexcept;
  operator const Ch*() const noexcept;

  // A writable buffer of at least minLength characters plus a terminator, holding the current text;
  // null when memory runs out. ReleaseBuffer ends the writing: the length becomes newLength, or the
  // position of the first zero when newLength is kNoLimit.
  Ch* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = kNoLimit) noexcept;

  bool Append(const Ch* text, int length = kNoLimit);
  bool Append(const CXStringT& other);
  bool AppendChar(Ch ch);
  CXStringT& operator+=(const Ch* text);
  CXStringT& operator+=(const CXStringT& other);
  CXStringT& operator+=(Ch ch);

  // Index is clamped into [0, length]; counts beyond the end are cut to it.
  bool Insert(int index, const Ch* text, int length = kNoLimit);
  int Delete(int index, int count = 1) noexcept;  // the new length

  // -1 when absent; start outside the string finds nothing.
  int Find(Ch ch, int start = 0) const noexcept;
  int Find(const Ch* text, int start = 0) const noexcept;
  int ReverseFind(Ch ch) const noexcept;
  int FindOneOf(const Ch* set) const noexcept;

  // Extraction; false (and out untouched) only when memory runs out. Out-of-range parts are clamped.
  bool Mid(int first, int count, CXStringT& out) const;
  CXStringT Mid(int first, int count = kNoLimit) const;
  CXStringT Left(int count) const;
  CXStringT Right(int count) const;

  // Ordinal comparison (<0, 0, >0); CompareNoCase folds case the way the system does for the width.
  int Compare(const Ch* text) const noexcept;
  int CompareNoCase(const Ch* text) const noexcept;
  bool operator==(const Ch* text) const noexcept;
  bool operator!=(const Ch* text) const noexcept;
  bool operator==(const CXStringT& other) const noexcept;
  bool operator!=(const CXStringT& other) const noexcept;
  bool operator<(const CXStringT& other) const noexcept;

  // Blanks are space, tab, CR, LF, VT and FF.
  void TrimLeft() noexcept;
  void TrimRight() noexcept;
  void Trim() noexcept;
  void MakeLower() noexcept;  // the system's lower-casing for the string's width and code page
  void MakeUpper() noexcept;

  // Character access; GetAt outside the string answers 0 and SetAt outside it does nothing.
  Ch GetAt(int index) const noexcept;
  void SetAt(int index, Ch ch) noexcept;
  Ch operator[](int index) const noexcept;

  // The text of a string-table entry of module; false (string emptied) when the entry is absent.
  bool LoadFromStringTable(HINSTANCE__* module, unsigned id);

 private:
  bool Reserve(int capacity);
  Ch* data_;      // default-heap block, null while empty
  int length_;    // characters, without the terminator
  int capacity_;  // characters the block holds, without the terminator
};

#if !defined(PLINTHCORE_BUILD)
extern template class PLINTH_API CXStringT<char>;
extern template class PLINTH_API CXStringT<wchar_t>;
#endif

using CXString = CXStringT<char>;
using CXStringW = CXStringT<wchar_t>;
