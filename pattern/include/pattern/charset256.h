#pragma once
// A set of 8-bit character values: value c is bit (c mod 32) of word (c div 32).

#include <array>
#include <bit>
#include <cstdint>

class CharSet256 {
 public:
  static constexpr int kWordCount = 8;

  constexpr CharSet256() = default;

  static constexpr CharSet256 All() {
    CharSet256 set;
    set.Complement();
    return set;
  }
  static constexpr CharSet256 Of(uint8_t value) {
    CharSet256 set;
    set.Add(value);
    return set;
  }

  constexpr void Clear() { words_ = {}; }
  // Add and Remove touch every word, which lets the compiler write the set in a few wide stores: a set
  // copied soon after one word of it was written alone would wait for that write to drain.
  constexpr void Add(uint8_t value) {
    for (int i = 0; i < kWordCount; ++i) words_[i] |= i == value / 32 ? Bit(value) : 0;
  }
  constexpr void Remove(uint8_t value) {
    for (int i = 0; i < kWordCount; ++i) words_[i] &= i == value / 32 ? ~Bit(value) : ~uint32_t{0};
  }
  // Inclusive; the bounds may come in either order.
  constexpr void AddRange(uint8_t first, uint8_t last) {
    if (first > last) {
      uint8_t swap = first;
      first = last;
      last = swap;
    }
    for (int i = first / 32; i <= last / 32; ++i) {
      const int low = i == first / 32 ? first % 32 : 0;
      const int high = i == last / 32 ? last % 32 : 31;
      words_[i] |= (~uint32_t{0} >> (31 - high)) & (~uint32_t{0} << low);
    }
  }
  constexpr void Complement() {
    for (uint32_t& word : words_) word = ~word;
  }
  constexpr bool Contains(uint8_t value) const { return (words_[value / 32] & Bit(value)) != 0; }
  constexpr bool Any() const {
    uint32_t any = 0;  // no early exit: the compiler folds the words in a few wide operations
    for (uint32_t word : words_) any |= word;
    return any != 0;
  }
  constexpr int Count() const {
    int count = 0;
    for (uint32_t word : words_) count += std::popcount(word);
    return count;
  }
  constexpr bool Intersects(const CharSet256& other) const { return (*this & other).Any(); }

  constexpr CharSet256 operator&(const CharSet256& other) const {
    CharSet256 result;
    for (int i = 0; i < kWordCount; ++i) result.words_[i] = words_[i] & other.words_[i];
    return result;
  }
  constexpr CharSet256 operator|(const CharSet256& other) const {
    CharSet256 result;
    for (int i = 0; i < kWordCount; ++i) result.words_[i] = words_[i] | other.words_[i];
    return result;
  }
  // Members of this set that are not in the other.
  constexpr CharSet256 operator-(const CharSet256& other) const {
    CharSet256 result;
    for (int i = 0; i < kWordCount; ++i) result.words_[i] = words_[i] & ~other.words_[i];
    return result;
  }
  constexpr bool operator==(const CharSet256& other) const = default;

  // Calls visit(value) for every member in ascending order.
  template <class Visit>
  constexpr void ForEach(Visit&& visit) const {
    for (int i = 0; i < kWordCount; ++i) {
      for (uint32_t word = words_[i]; word != 0; word &= word - 1)
        visit(static_cast<uint8_t>(i * 32 + std::countr_zero(word)));
    }
  }

  constexpr uint32_t Word(int index) const { return words_[index]; }
  constexpr void SetWord(int index, uint32_t word) { words_[index] = word; }

 private:
  static constexpr uint32_t Bit(uint8_t value) { return uint32_t{1} << (value % 32); }

  std::array<uint32_t, kWordCount> words_{};
};

// The order of the engine's set collections: two different sets compare at the lowest value in which
// they differ, and the set that lacks that value comes first.
struct CharSet256Less {
  constexpr bool operator()(const CharSet256& a, const CharSet256& b) const {
    for (int i = 0; i < CharSet256::kWordCount; ++i) {
      uint32_t differing = a.Word(i) ^ b.Word(i);
      if (differing != 0) return (a.Word(i) & (differing & (~differing + 1))) == 0;
    }
    return false;
  }
};
