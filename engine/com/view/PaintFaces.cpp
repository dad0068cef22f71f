#include "engine/com/view/PaintFaces.h"

#include <algorithm>
#include <vector>

namespace vellum::engine::com {

std::size_t FaceKeyHash::operator()(const FaceKey& key) const noexcept {
  std::size_t hash = static_cast<std::size_t>(key.face);
  for (std::size_t part : {static_cast<std::size_t>(key.state), static_cast<std::size_t>(key.width),
                           static_cast<std::size_t>(key.height), static_cast<std::size_t>(key.fill)})
    hash = hash * 1000003u ^ part;
  return hash;
}

CFaceCache::~CFaceCache() {
  if (atlasDC_) {
    SelectObject(atlasDC_, atlasPrevious_);
    DeleteDC(atlasDC_);
  }
}

void CFaceCache::Clear() {
  slots_.clear();
  shelfX_ = shelfY_ = shelfHeight_ = 0;
}

bool CFaceCache::EnsureAtlas(HDC like) {
  if (atlasDC_) return true;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kAtlasSide;
  info.bmiHeader.biHeight = -kAtlasSide;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject atlas(CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC dc = atlas ? CreateCompatibleDC(like) : nullptr;
  if (!dc || !bits) {
    if (dc) DeleteDC(dc);
    return false;
  }
  atlas_ = std::move(atlas);
  atlasDC_ = dc;
  atlasPrevious_ = SelectObject(dc, atlas_.get());
  pixels_ = static_cast<std::uint32_t*>(bits);
  return true;
}

bool CFaceCache::Allocate(int width, int height, POINT& at) {
  if (shelfX_ + width > kAtlasSide) {
    shelfY_ += shelfHeight_;
    shelfX_ = shelfHeight_ = 0;
  }
  if (shelfY_ + height > kAtlasSide) return false;
  at = {shelfX_, shelfY_};
  shelfX_ += width;
  shelfHeight_ = std::max(shelfHeight_, height);
  return true;
}

void CFaceCache::DrawShaped(const RECT& slot, const std::function<void(HDC, const RECT&)>& draw) {
  // Drawn on white and on black: where both agree the face covers the background, elsewhere it
  // lets it through. The platform draws these faces without smoothing, so coverage is all or none.
  const int width = slot.right - slot.left, height = slot.bottom - slot.top;
  std::vector<std::uint32_t> onWhite(static_cast<std::size_t>(width) * height);
  FillSolid(atlasDC_, slot, RGB(0xff, 0xff, 0xff));
  draw(atlasDC_, slot);
  GdiFlush();
  for (int y = 0; y < height; ++y)
    std::copy_n(pixels_ + static_cast<std::size_t>(slot.top + y) * kAtlasSide + slot.left, width,
                onWhite.begin() + static_cast<std::ptrdiff_t>(y) * width);
  FillSolid(atlasDC_, slot, RGB(0, 0, 0));
  draw(atlasDC_, slot);
  GdiFlush();
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = pixels_ + static_cast<std::size_t>(slot.top + y) * kAtlasSide + slot.left;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t colour = row[x] & 0x00ffffff;
      row[x] = colour == (onWhite[static_cast<std::size_t>(y) * width + x] & 0x00ffffff) ? colour | 0xff000000u : 0;
    }
  }
}

void CFaceCache::Paint(HDC dc, const RECT& at, const FaceKey& key, FaceShape shape,
                       const std::function<void(HDC, const RECT&)>& draw) {
  const int width = at.right - at.left, height = at.bottom - at.top;
  if (width <= 0 || height <= 0) return;
  auto found = slots_.find(key);
  if (found == slots_.end()) {
    POINT place = {};
    if (width > kLargestFace || height > kLargestFace || !EnsureAtlas(dc)) {
      draw(dc, at);
      return;
    }
    if (!Allocate(width, height, place)) {
      Clear();  // full: the faces in use now come back on the next draws
      if (!Allocate(width, height, place)) {
        draw(dc, at);
        return;
      }
    }
    const RECT slot = {place.x, place.y, place.x + width, place.y + height};
    if (shape == FaceShape::Shaped) {
      DrawShaped(slot, draw);
    } else {
      draw(atlasDC_, slot);
      GdiFlush();
    }
    found = slots_.emplace(key, Slot{place.x, place.y, shape}).first;
  }
  const Slot& slot = found->second;
  if (slot.shape == FaceShape::Shaped) {
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, at.left, at.top, width, height, atlasDC_, slot.x, slot.y, width, height, blend);
  } else {
    BitBlt(dc, at.left, at.top, width, height, atlasDC_, slot.x, slot.y, SRCCOPY);
  }
}

}  // namespace vellum::engine::com
