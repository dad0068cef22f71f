// Pictures of the page's images, decoded through the platform's imaging codecs (any format they
// know) into premultiplied 32-bit bitmaps and kept for the next repaints. A source that cannot be
// read is remembered too, so that a missing file is not looked for on every repaint.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/com/view/PaintGdi.h"

struct IWICImagingFactory;

namespace vellum::engine::com {

struct DecodedImage {
  GdiObject bitmap;  // 32 bpp premultiplied BGRA DIB section; empty when the source cannot be shown
  int width = 0;
  int height = 0;
  bool Loaded() const { return static_cast<bool>(bitmap); }
};

// The file a src attribute names: a file: URL or a path (relative ones from the current directory);
// empty for other URLs (nothing is fetched from the network).
std::wstring ImageFilePath(std::u16string_view source);

class CImageCache {
 public:
  CImageCache() = default;
  CImageCache(const CImageCache&) = delete;
  CImageCache& operator=(const CImageCache&) = delete;
  ~CImageCache();

  // The picture for the src attribute (decoded on first use).
  const DecodedImage& Get(std::u16string_view source);
  // A new page: files may have changed since.
  void Clear();

 private:
  // Beyond these the cache starts over; larger pictures are not decoded at all.
  static constexpr std::size_t kImageBudget = 64;
  static constexpr unsigned long long kPixelBudget = 32ull * 1024 * 1024;
  static constexpr unsigned kLargestSide = 8192;

  DecodedImage Decode(const std::wstring& path);

  IWICImagingFactory* factory_ = nullptr;                    // created on first decode
  std::unordered_map<std::u16string, DecodedImage> images_;  // by src as written
  unsigned long long pixels_ = 0;                            // held by images_
};

}  // namespace vellum::engine::com
