#include "ImageCompare.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdlib>

#include "PaintTestHost.h"

namespace pt {

namespace {

template <class T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

}  // namespace

vt::Image LoadPng(const std::wstring& path) {
  vt::Image image;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  UINT width = 0, height = 0;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory));
  if (SUCCEEDED(hr))
    hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            &decoder);
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
  if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr))
    hr = converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
  if (SUCCEEDED(hr)) hr = converter->GetSize(&width, &height);
  if (SUCCEEDED(hr)) {
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<size_t>(width) * height);
    hr = converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(image.pixels.data()));
    for (uint32_t& pixel : image.pixels) pixel &= 0x00ffffff;
  }
  if (FAILED(hr)) image = vt::Image{};
  Release(converter);
  Release(frame);
  Release(decoder);
  Release(factory);
  return image;
}

::testing::AssertionResult MatchesReference(const vt::Image& actual, const vt::Image& reference, Tolerance tolerance) {
  if (reference.width == 0) return ::testing::AssertionFailure() << "no reference picture";
  if (actual.width != reference.width || actual.height != reference.height)
    return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height << ", reference "
                                         << reference.width << "x" << reference.height;
  size_t differing = 0;
  RECT bounds = {actual.width, actual.height, -1, -1};
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      if (Near(actual.At(x, y), reference.At(x, y), tolerance.channel)) continue;
      ++differing;
      bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y), std::max<LONG>(bounds.right, x),
                std::max<LONG>(bounds.bottom, y)};
    }
  }
  const size_t allowed = static_cast<size_t>(tolerance.differingFraction * actual.pixels.size());
  if (differing <= allowed) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ (at most " << allowed << " may), within ["
                                       << bounds.left << "," << bounds.top << "]-[" << bounds.right << ","
                                       << bounds.bottom << "]";
}

bool WritingReferences() {
  const char* value = std::getenv("VELLUM_PAINT_WRITE_REFERENCE");
  return value && *value && *value != '0';
}

}  // namespace pt
