#include "css/inline_style.h"

#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace vellum::engine::css {

namespace {

// Fixed-size blocks carved in order from slabs; freed blocks are taken again first. The slabs stay
// (their number follows the most parsed styles alive at once).
class CSlabPool {
 public:
  explicit CSlabPool(std::size_t blockSize) : blockSize_(RoundUp(blockSize)) {}
  CSlabPool(const CSlabPool&) = delete;
  CSlabPool& operator=(const CSlabPool&) = delete;
  ~CSlabPool() {
    for (void* slab : slabs_) ::operator delete(slab);
  }

  void* Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (FreeBlock* block = free_) {
      free_ = block->next;
      return block;
    }
    if (next_ == end_) {
      // The slab is listed before it is used, so that a failed listing loses nothing.
      slabs_.reserve(slabs_.size() + 1);
      char* slab = static_cast<char*>(::operator new(blockSize_* kBlocksPerSlab));
      slabs_.push_back(slab);
      next_ = slab;
      end_ = slab + blockSize_ * kBlocksPerSlab;
    }
    void* block = next_;
    next_ += blockSize_;
    return block;
  }

  void Give(void* memory) noexcept {
    std::lock_guard<std::mutex> lock(mutex_);
    auto* block = static_cast<FreeBlock*>(memory);
    block->next = free_;
    free_ = block;
  }

  std::size_t BlockSize() const { return blockSize_; }

 private:
  struct FreeBlock {
    FreeBlock* next;
  };
  static constexpr std::size_t kBlocksPerSlab = 128;
  static std::size_t RoundUp(std::size_t size) {
    const std::size_t align = alignof(std::max_align_t);
    size = size < sizeof(FreeBlock) ? sizeof(FreeBlock) : size;
    return (size + align - 1) / align * align;
  }

  const std::size_t blockSize_;
  std::mutex mutex_;
  FreeBlock* free_ = nullptr;
  char* next_ = nullptr;
  char* end_ = nullptr;
  std::vector<void*> slabs_;
};

// Never destroyed: a style that ends during the module's own shutdown still has its pool.
CSlabPool& ParsedStylePool() {
  static CSlabPool* pool = new CSlabPool(sizeof(ParsedInlineStyle));
  return *pool;
}

}  // namespace

// Under the address sanitizer every parsed style is a heap block of its own, so that a read after it
// is gone is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

void* ParsedInlineStyle::operator new(std::size_t size) {
  return kPooled && size <= ParsedStylePool().BlockSize() ? ParsedStylePool().Take() : ::operator new(size);
}

void ParsedInlineStyle::operator delete(void* memory, std::size_t size) noexcept {
  if (kPooled && size <= ParsedStylePool().BlockSize()) {
    ParsedStylePool().Give(memory);
  } else {
    ::operator delete(memory);
  }
}

const std::u16string& ParsedInlineStyle::CssText() const {
  if (!cssText_) {
    cssText_.emplace(declarations_.CssText());
  }
  return *cssText_;
}

const ParsedInlineStyle* InlineStyleOf(const Element& element) {
  const Attribute* attribute = element.FindAttribute(u"style");
  if (!attribute) {
    return nullptr;
  }
  // The element holds no other cache of this kind, and drops it with every attribute change.
  if (const auto* cached = static_cast<const ParsedInlineStyle*>(element.GetStyleAttributeCache())) {
    return cached;
  }
  auto parsed = std::make_unique<ParsedInlineStyle>(attribute->value);
  const ParsedInlineStyle* result = parsed.get();
  element.SetStyleAttributeCache(std::move(parsed));
  return result;
}

}  // namespace vellum::engine::css
