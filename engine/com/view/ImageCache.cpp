#include "engine/com/view/ImageCache.h"

#include <shlwapi.h>
#include <wincodec.h>

#include <cstring>

#include "css/css_text.h"

namespace vellum::engine::com {

namespace {

// "file:", "http:" ... ; a single letter before the colon is a drive.
bool HasScheme(std::u16string_view text) {
  std::size_t colon = text.find(u':');
  if (colon == std::u16string_view::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    char16_t c = text[i];
    bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    if (!letter && !(i > 0 && ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'))) return false;
  }
  return true;
}

template <class T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

}  // namespace

std::wstring ImageFilePath(std::u16string_view source) {
  source = vellum::engine::css::TrimCssWhitespace(source);
  std::wstring text(source.begin(), source.end());
  if (!HasScheme(source)) return text;
  if (!vellum::engine::css::EqualsIgnoringAsciiCase(source.substr(0, 5), "file:")) return std::wstring();
  wchar_t path[MAX_PATH * 2] = {};
  DWORD length = ARRAYSIZE(path);
  if (FAILED(PathCreateFromUrlW(text.c_str(), path, &length, 0))) return std::wstring();
  return path;
}

CImageCache::~CImageCache() {
  images_.clear();
  Release(factory_);
}

void CImageCache::Clear() {
  images_.clear();
  pixels_ = 0;
}

const DecodedImage& CImageCache::Get(std::u16string_view source) {
  std::u16string key(source);
  auto found = images_.find(key);
  if (found != images_.end()) return found->second;
  if (images_.size() >= kImageBudget) Clear();
  std::wstring path = ImageFilePath(source);
  DecodedImage image = path.empty() ? DecodedImage() : Decode(path);
  if (pixels_ + static_cast<unsigned long long>(image.width) * image.height > kPixelBudget) Clear();
  pixels_ += static_cast<unsigned long long>(image.width) * image.height;
  return images_.emplace(std::move(key), std::move(image)).first->second;
}

DecodedImage CImageCache::Decode(const std::wstring& path) {
  DecodedImage image;
  if (!factory_ && FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, reinterpret_cast<void**>(&factory_))))
    return image;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  UINT width = 0, height = 0;
  HRESULT hr = factory_->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   &decoder);
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
  if (SUCCEEDED(hr)) hr = factory_->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr))
    hr = converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
  if (SUCCEEDED(hr)) hr = converter->GetSize(&width, &height);
  if (SUCCEEDED(hr) && (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide)) hr = E_FAIL;
  if (SUCCEEDED(hr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows, as the codecs give them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UINT stride = width * 4;
    if (bitmap && bits &&
        SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
      image.bitmap = std::move(bitmap);
      image.width = static_cast<int>(width);
      image.height = static_cast<int>(height);
    }
  }
  Release(converter);
  Release(frame);
  Release(decoder);
  return image;
}

}  // namespace vellum::engine::com
