// "Set a value for a while": the guard gives the variable its value for its scope and puts back what
// it held, on every way out.
#pragma once

#include <utility>

template <class T>
class CScopedAssign {
 public:
  CScopedAssign(T& target, T value) : target_(target), saved_(std::exchange(target, std::move(value))) {}
  ~CScopedAssign() { target_ = std::move(saved_); }
  CScopedAssign(const CScopedAssign&) = delete;
  CScopedAssign& operator=(const CScopedAssign&) = delete;

 private:
  T& target_;
  T saved_;
};
