#pragma once
// Intrusive strong reference for tree nodes. Nodes count their holders themselves so that an outside
// holder (an object-model wrapper) keeps a removed node alive without any tie to the tree.

#include <cstddef>
#include <utility>

namespace vellum::engine {

template <class T>
class RefPtr {
 public:
  RefPtr() = default;
  RefPtr(std::nullptr_t) {}
  RefPtr(T* p) : p_(p) {
    if (p_) p_->Ref();
  }
  RefPtr(const RefPtr& o) : RefPtr(o.p_) {}
  RefPtr(RefPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  template <class U>
  RefPtr(const RefPtr<U>& o) : RefPtr(o.get()) {}
  template <class U>
  RefPtr(RefPtr<U>&& o) noexcept : p_(o.Leak()) {}
  ~RefPtr() {
    if (p_) p_->Unref();
  }

  RefPtr& operator=(RefPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(const RefPtr& o) const { return p_ == o.p_; }
  bool operator==(const T* o) const { return p_ == o; }

  // Hands the reference to the caller, who must later balance it with unref().
  T* Leak() { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

}  // namespace vellum::engine
