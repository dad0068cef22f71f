// Capturing what a window shows on screen, for visual checks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The window's whole rectangle (frame included) as the window shows it now.
Image CaptureWindow(HWND hwnd);
// Encodes an image as PNG (through the system's imaging codecs); false on failure.
bool SavePng(const Image& image, const std::wstring& path);

}  // namespace vt
