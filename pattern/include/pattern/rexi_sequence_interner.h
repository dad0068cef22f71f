#pragma once
// Gives each distinct sequence of 32-bit values a dense id (0, 1, 2 ... in order of first sight).
// Holds the node sets of the subset construction and the state signatures of the minimisation in one
// pool each, instead of a heap block per sequence.

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <vector>

class REXI_SequenceInterner {
 public:
  static constexpr uint32_t kNotFound = UINT32_MAX;

  explicit REXI_SequenceInterner(std::pmr::memory_resource* memory) : pool_(memory), spans_(memory), slots_(memory) {}

  // The id of the sequence; 'added' tells whether it was new. values must not lie in this interner.
  uint32_t Intern(std::span<const uint32_t> values, bool& added);
  // Valid until the next Intern.
  std::span<const uint32_t> Get(uint32_t id) const { return {pool_.data() + spans_[id].offset, spans_[id].count}; }
  size_t Count() const { return spans_.size(); }
  size_t TotalValues() const { return pool_.size(); }
  void Clear();

 private:
  struct Span {
    size_t offset;
    uint32_t count;
    uint32_t hash;
  };

  static uint32_t Hash(std::span<const uint32_t> values);
  void Grow();

  std::pmr::vector<uint32_t> pool_;
  std::pmr::vector<Span> spans_;
  std::pmr::vector<uint32_t> slots_;  // open addressing: id, or kNotFound for a free slot
};
