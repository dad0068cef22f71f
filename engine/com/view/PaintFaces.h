// The platform's control faces (sunken fields, push buttons, check boxes, radio buttons, scroll bars,
// drop-down arrows) drawn once per look and size into an atlas and copied from there afterwards: a
// form repeats the same few faces many times, and the platform's drawing calls cost far more than a
// copy. Faces whose corners show what lies beneath (a radio button's circle) keep an alpha mask.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "engine/com/view/PaintGdi.h"

namespace vellum::engine::com {

enum class Face : std::uint8_t { SunkenField, PushButton, CheckBox, Radio, ScrollBar, DropDownArrow };
enum class FaceShape : std::uint8_t { Opaque, Shaped };  // Shaped: drawn on two backgrounds to find its mask

struct FaceKey {
  Face face = Face::SunkenField;
  UINT state = 0;  // the drawing flags of that face
  int width = 0;
  int height = 0;
  COLORREF fill = 0;  // the inside of a sunken field
  friend bool operator==(const FaceKey&, const FaceKey&) = default;
};

struct FaceKeyHash {
  std::size_t operator()(const FaceKey& key) const noexcept;
};

class CFaceCache {
 public:
  CFaceCache() = default;
  CFaceCache(const CFaceCache&) = delete;
  CFaceCache& operator=(const CFaceCache&) = delete;
  ~CFaceCache();

  // Shows the face in `at`: copied from the atlas, or drawn there first by `draw` (given a DC and a
  // rectangle of the face's size). Faces too large for the atlas are drawn straight into `dc`.
  void Paint(HDC dc, const RECT& at, const FaceKey& key, FaceShape shape,
             const std::function<void(HDC, const RECT&)>& draw);
  void Clear();

 private:
  static constexpr int kAtlasSide = 1024;
  static constexpr int kLargestFace = 256;  // on either side

  struct Slot {
    int x = 0;
    int y = 0;
    FaceShape shape = FaceShape::Opaque;
  };

  bool EnsureAtlas(HDC like);
  // Room for a face of that size: the next place on the current shelf, else a new shelf; false when
  // the atlas is full.
  bool Allocate(int width, int height, POINT& at);
  void DrawShaped(const RECT& slot, const std::function<void(HDC, const RECT&)>& draw);

  HDC atlasDC_ = nullptr;
  GdiObject atlas_;  // 32-bit DIB section, top-down
  HGDIOBJ atlasPrevious_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
  std::unordered_map<FaceKey, Slot, FaceKeyHash> slots_;
};

}  // namespace vellum::engine::com
