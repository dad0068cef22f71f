#include "xstring.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <cwchar>

#include "heap.h"

namespace {

// Per-width primitives: the only place where the two instantiations differ.
template <class Ch>
struct Traits;

template <>
struct Traits<char> {
  static int Length(const char* s) { return static_cast<int>(strnlen(s, INT_MAX)); }
  static void Lower(char* s, int n) {
    if (n > 0) CharLowerBuffA(s, static_cast<DWORD>(n));
  }
  static void Upper(char* s, int n) {
    if (n > 0) CharUpperBuffA(s, static_cast<DWORD>(n));
  }
  static int CompareNoCase(const char* a, const char* b) { return lstrcmpiA(a, b); }
  // Other width -> this width: the number of characters written (or needed when out is null).
  static int FromOther(const wchar_t* in, int n, char* out, int cap, unsigned cp) {
    return n == 0 ? 0 : WideCharToMultiByte(cp, 0, in, n, out, cap, nullptr, nullptr);
  }
  static int OtherLength(const wchar_t* s) { return static_cast<int>(wcsnlen(s, INT_MAX)); }
  static int LoadFromTable(HINSTANCE module, unsigned id, char* out, int cap) {
    return LoadStringA(module, id, out, cap);
  }
};

template <>
struct Traits<wchar_t> {
  static int Length(const wchar_t* s) { return static_cast<int>(wcsnlen(s, INT_MAX)); }
  static void Lower(wchar_t* s, int n) {
    if (n > 0) CharLowerBuffW(s, static_cast<DWORD>(n));
  }
  static void Upper(wchar_t* s, int n) {
    if (n > 0) CharUpperBuffW(s, static_cast<DWORD>(n));
  }
  static int CompareNoCase(const wchar_t* a, const wchar_t* b) { return lstrcmpiW(a, b); }
  static int FromOther(const char* in, int n, wchar_t* out, int cap, unsigned cp) {
    return n == 0 ? 0 : MultiByteToWideChar(cp, 0, in, n, out, cap);
  }
  static int OtherLength(const char* s) { return static_cast<int>(strnlen(s, INT_MAX)); }
  static int LoadFromTable(HINSTANCE module, unsigned id, wchar_t* out, int cap) {
    return LoadStringW(module, id, out, cap);
  }
};

template <class Ch>
const Ch kEmpty[1] = {0};

template <class Ch>
bool IsBlank(Ch c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

}  // namespace

template <class Ch>
CXStringT<Ch>::CXStringT() noexcept : data_(nullptr), length_(0), capacity_(0) {}

template <class Ch>
CXStringT<Ch>::CXStringT(const Ch* text) : CXStringT() {
  Assign(text);
}

template <class Ch>
CXStringT<Ch>::CXStringT(const Ch* text, int length) : CXStringT() {
  Assign(text, length);
}

template <class Ch>
CXStringT<Ch>::CXStringT(const OtherChar* text) : CXStringT() {
  AssignConverted(text);
}

template <class Ch>
CXStringT<Ch>::CXStringT(const CXStringT& other) : CXStringT() {
  Assign(other.data_, other.length_);
}

template <class Ch>
CXStringT<Ch>::CXStringT(CXStringT&& other) noexcept
    : data_(other.data_), length_(other.length_), capacity_(other.capacity_) {
  other.data_ = nullptr;
  other.length_ = other.capacity_ = 0;
}

template <class Ch>
CXStringT<Ch>::~CXStringT() {
  Mem_Free(data_);
}

template <class Ch>
CXStringT<Ch>& CXStringT<Ch>::operator=(const CXStringT& other) {
  if (this != &other) Assign(other.data_, other.length_);
  return *this;
}

template <class Ch>
CXStringT<Ch>& CXStringT<Ch>::operator=(CXStringT&& other) noexcept {
  if (this != &other) {
    Mem_Free(data_);
    data_ = other.data_;
    length_ = other.length_;
    capacity_ = other.capacity_;
    other.data_ = nullptr;
    other.length_ = other.capacity_ = 0;
  }
  return *this;
}

template <class Ch>
CXStringT<Ch>& CXStringT<Ch>::operator=(const Ch* text) {
  Assign(text);
  return *this;
}

template <class Ch>
CXStringT<Ch>& CXStringT<Ch>::operator=(const OtherChar* text) {
  AssignConverted(text);
  return *this;
}

template <class Ch>
bool CXStringT<Ch>::Reserve(int capacity) {
  if (capacity < 0 || capacity == INT_MAX) return false;
  if (capacity <= capacity_ && data_) return true;
  // Grow geometrically so that repeated appends stay linear.
  long long grown = capacity_ + capacity_ / 2;
  int target = capacity > grown ? capacity : static_cast<int>(grown < INT_MAX - 1 ? grown : INT_MAX - 1);
  void* block = Mem_Realloc(data_, (static_cast<size_t>(target) + 1) * sizeof(Ch));
  if (!block) return false;
  data_ = static_cast<Ch*>(block);
  capacity_ = target;
  data_[length_] = 0;
  return true;
}

template <class Ch>
bool CXStringT<Ch>::Assign(const Ch* text, int length) {
  if (!text) {
    Empty();
    return true;
  }
  int n = length < 0 ? Traits<Ch>::Length(text) : length;
  // The text may lie inside this string's own block: copy it before the block can move.
  if (data_ && text >= data_ && text <= data_ + length_) {
    CXStringT copy(text, n);
    if (copy.length_ != n) return false;
    *this = static_cast<CXStringT&&>(copy);
    return true;
  }
  if (n == 0) {
    if (data_) data_[0] = 0;
    length_ = 0;
    return true;
  }
  if (!Reserve(n)) return false;
  std::memcpy(data_, text, static_cast<size_t>(n) * sizeof(Ch));
  length_ = n;
  data_[n] = 0;
  return true;
}

template <class Ch>
bool CXStringT<Ch>::AssignConverted(const OtherChar* text, int length, unsigned codePage) {
  if (!text) {
    Empty();
    return true;
  }
  int n = length < 0 ? Traits<Ch>::OtherLength(text) : length;
  if (n == 0) return Assign(kEmpty<Ch>, 0);
  int needed = Traits<Ch>::FromOther(text, n, nullptr, 0, codePage);
  if (needed <= 0) return false;
  CXStringT converted;
  if (!converted.Reserve(needed)) return false;
  int written = Traits<Ch>::FromOther(text, n, converted.data_, needed, codePage);
  if (written <= 0) return false;
  converted.length_ = written;
  converted.data_[written] = 0;
  *this = static_cast<CXStringT&&>(converted);
  return true;
}

template <class Ch>
void CXStringT<Ch>::Empty() noexcept {
  Mem_Free(data_);
  data_ = nullptr;
  length_ = capacity_ = 0;
}

template <class Ch>
const Ch* CXStringT<Ch>::GetString() const noexcept {
  return data_ ? data_ : kEmpty<Ch>;
}

template <class Ch>
Ch* CXStringT<Ch>::GetBuffer(int minLength) {
  int want = minLength > length_ ? minLength : length_;
  if (!Reserve(want)) return nullptr;
  return data_;
}

template <class Ch>
void CXStringT<Ch>::ReleaseBuffer(int newLength) noexcept {
  if (!data_) {
    length_ = 0;
    return;
  }
  if (newLength < 0) {
    int n = 0;
    while (n < capacity_ && data_[n] != 0) ++n;
    newLength = n;
  }
  length_ = newLength > capacity_ ? capacity_ : newLength;
  data_[length_] = 0;
}

template <class Ch>
bool CXStringT<Ch>::Append(const Ch* text, int length) {
  return Insert(length_, text, length);
}

template <class Ch>
bool CXStringT<Ch>::Insert(int index, const Ch* text, int length) {
  if (!text) return true;
  int n = length < 0 ? Traits<Ch>::Length(text) : length;
  if (n == 0) return true;
  if (n > INT_MAX - 1 - length_) return false;
  if (data_ && text >= data_ && text <= data_ + capacity_) {
    CXStringT copy(text, n);
    if (copy.length_ != n) return false;
    return Insert(index, copy.data_, n);
  }
  index = Clamp(index, 0, length_);
  if (!Reserve(length_ + n)) return false;
  std::memmove(data_ + index + n, data_ + index, static_cast<size_t>(length_ - index) * sizeof(Ch));
  std::memcpy(data_ + index, text, static_cast<size_t>(n) * sizeof(Ch));
  length_ += n;
  data_[length_] = 0;
  return true;
}

template <class Ch>
int CXStringT<Ch>::Delete(int index, int count) noexcept {
  if (index < 0 || index >= length_ || count <= 0) return length_;
  if (count > length_ - index) count = length_ - index;
  std::memmove(data_ + index, data_ + index + count, static_cast<size_t>(length_ - index - count) * sizeof(Ch));
  length_ -= count;
  data_[length_] = 0;
  return length_;
}

template <class Ch>
int CXStringT<Ch>::Find(Ch ch, int start) const noexcept {
  if (start < 0 || start >= length_) return -1;
  for (int i = start; i < length_; ++i)
    if (data_[i] == ch) return i;
  return -1;
}

template <class Ch>
int CXStringT<Ch>::Find(const Ch* text, int start) const noexcept {
  if (!text || start < 0 || start > length_) return -1;
  int n = Traits<Ch>::Length(text);
  if (n == 0) return start;
  for (int i = start; i + n <= length_; ++i)
    if (std::memcmp(data_ + i, text, static_cast<size_t>(n) * sizeof(Ch)) == 0) return i;
  return -1;
}

template <class Ch>
int CXStringT<Ch>::ReverseFind(Ch ch) const noexcept {
  for (int i = length_ - 1; i >= 0; --i)
    if (data_[i] == ch) return i;
  return -1;
}

template <class Ch>
int CXStringT<Ch>::FindOneOf(const Ch* set) const noexcept {
  if (!set) return -1;
  for (int i = 0; i < length_; ++i)
    for (const Ch* s = set; *s; ++s)
      if (data_[i] == *s) return i;
  return -1;
}

template <class Ch>
bool CXStringT<Ch>::Mid(int first, int count, CXStringT& out) const {
  first = Clamp(first, 0, length_);
  int available = length_ - first;
  if (count < 0 || count > available) count = available;
  return out.Assign(GetString() + first, count);
}

template <class Ch>
CXStringT<Ch> CXStringT<Ch>::Mid(int first, int count) const {
  CXStringT out;
  Mid(first, count, out);
  return out;
}

template <class Ch>
CXStringT<Ch> CXStringT<Ch>::Right(int count) const {
  if (count < 0) count = 0;
  if (count > length_) count = length_;
  return Mid(length_ - count, count);
}

template <class Ch>
int CXStringT<Ch>::Compare(const Ch* text) const noexcept {
  const Ch* a = GetString();
  const Ch* b = text ? text : kEmpty<Ch>;
  while (*a && *a == *b) ++a, ++b;
  using U = std::make_unsigned_t<Ch>;
  return static_cast<int>(static_cast<U>(*a)) - static_cast<int>(static_cast<U>(*b));
}

template <class Ch>
int CXStringT<Ch>::CompareNoCase(const Ch* text) const noexcept {
  return Traits<Ch>::CompareNoCase(GetString(), text ? text : kEmpty<Ch>);
}

template <class Ch>
void CXStringT<Ch>::TrimLeft() noexcept {
  int n = 0;
  while (n < length_ && IsBlank(data_[n])) ++n;
  Delete(0, n);
}

template <class Ch>
void CXStringT<Ch>::TrimRight() noexcept {
  while (length_ > 0 && IsBlank(data_[length_ - 1])) --length_;
  if (data_) data_[length_] = 0;
}

template <class Ch>
void CXStringT<Ch>::MakeLower() noexcept {
  Traits<Ch>::Lower(data_, length_);
}

template <class Ch>
void CXStringT<Ch>::MakeUpper() noexcept {
  Traits<Ch>::Upper(data_, length_);
}

template <class Ch>
Ch CXStringT<Ch>::GetAt(int index) const noexcept {
  return index >= 0 && index < length_ ? data_[index] : Ch(0);
}

template <class Ch>
void CXStringT<Ch>::SetAt(int index, Ch ch) noexcept {
  if (index >= 0 && index < length_) data_[index] = ch;
}

template <class Ch>
bool CXStringT<Ch>::LoadFromStringTable(HINSTANCE__* module, unsigned id) {
  // The table does not tell an entry's length up front: grow the buffer until the text fits.
  for (int cap = 256; cap <= 65536; cap *= 4) {
    Ch* buffer = GetBuffer(cap);
    if (!buffer) return false;
    int n = Traits<Ch>::LoadFromTable(module, id, buffer, cap + 1);
    if (n <= 0) {
      Empty();
      return false;
    }
    if (n < cap) {
      ReleaseBuffer(n);
      return true;
    }
  }
  Empty();
  return false;
}

// Members that other members build on.
template <class Ch>
int CXStringT<Ch>::GetLength() const noexcept {
  return length_;
}

template <class Ch>
size_t CXStringT<Ch>::GetSize() const noexcept {
  return (static_cast<size_t>(length_) + 1) * sizeof(Ch);
}

template <class Ch>
bool CXStringT<Ch>::IsEmpty() const noexcept {
  return length_ == 0;
}

template <class Ch>
CXStringT<Ch>::operator const Ch*() const noexcept {
  return GetString();
}

template <class Ch>
bool CXStringT<Ch>::Append(const CXStringT& other) {
  return Append(other.GetString(), other.GetLength());
}

template <class Ch>
bool CXStringT<Ch>::AppendChar(Ch ch) {
  return Append(&ch, 1);
}

template <class Ch>
CXStringT<Ch>& CXStringT<Ch>::operator+=(const Ch* text) {
  Append(text);
  return *this;
}

template <class Ch>
CXStringT<Ch>& CXStringT<Ch>::operator+=(const CXStringT& other) {
  Append(other);
  return *this;
}

template <class Ch>
CXStringT<Ch>& CXStringT<Ch>::operator+=(Ch ch) {
  AppendChar(ch);
  return *this;
}

template <class Ch>
CXStringT<Ch> CXStringT<Ch>::Left(int count) const {
  return Mid(0, count);
}

template <class Ch>
bool CXStringT<Ch>::operator==(const Ch* text) const noexcept {
  return Compare(text) == 0;
}

template <class Ch>
bool CXStringT<Ch>::operator!=(const Ch* text) const noexcept {
  return Compare(text) != 0;
}

template <class Ch>
bool CXStringT<Ch>::operator==(const CXStringT& other) const noexcept {
  return Compare(other.GetString()) == 0;
}

template <class Ch>
bool CXStringT<Ch>::operator!=(const CXStringT& other) const noexcept {
  return Compare(other.GetString()) != 0;
}

template <class Ch>
bool CXStringT<Ch>::operator<(const CXStringT& other) const noexcept {
  return Compare(other.GetString()) < 0;
}

template <class Ch>
void CXStringT<Ch>::Trim() noexcept {
  TrimRight();
  TrimLeft();
}

template <class Ch>
Ch CXStringT<Ch>::operator[](int index) const noexcept {
  return GetAt(index);
}

template class PLINTH_API CXStringT<char>;
template class PLINTH_API CXStringT<wchar_t>;
