#include "Picture.h"

#include <wincodec.h>

#include <vector>

namespace {

template <class T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

// The window's pixels as the display shows them, children included, top-down BGRA. Read through the
// window's own device context, so another program's window lying over it is not in the picture.
bool Capture(HWND window, int& width, int& height, std::vector<BYTE>& pixels) {
  RECT box;
  if (!GetWindowRect(window, &box)) return false;
  width = box.right - box.left;
  height = box.bottom - box.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = bitmap != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    pixels.assign(static_cast<const BYTE*>(bits),
                  static_cast<const BYTE*>(bits) + static_cast<size_t>(width) * height * 4);
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0xFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return ok;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& path) {
  int width = 0, height = 0;
  std::vector<BYTE> pixels;
  if (!Capture(window, width, height, pixels)) return false;
  const bool initialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
            SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
            SUCCEEDED(frame->SetPixelFormat(&format)) &&
            SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                                         static_cast<UINT>(pixels.size()), pixels.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  Release(frame);
  Release(encoder);
  Release(stream);
  Release(factory);
  if (initialised) CoUninitialize();
  return ok;
}
