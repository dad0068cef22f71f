#include "ImageCompare.h"

#include <wincodec.h>

#include <cstdlib>

namespace vt {

namespace {

template <class T>
void ReleaseAll(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += static_cast<char>(c < 0x80 ? c : '?');
  return out;
}

}  // namespace

Image LoadPng(const std::wstring& path) {
  Image image;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory));
  if (SUCCEEDED(hr))
    hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            &decoder);
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
  if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr))
    hr = converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                               WICBitmapPaletteTypeCustom);
  UINT width = 0, height = 0;
  if (SUCCEEDED(hr)) hr = converter->GetSize(&width, &height);
  if (SUCCEEDED(hr) && width > 0 && height > 0 && width < 16384 && height < 16384) {
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<size_t>(width) * height);
    hr = converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(image.pixels.data()));
    if (FAILED(hr)) image = Image{};
    for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
  }
  ReleaseAll(converter);
  ReleaseAll(frame);
  ReleaseAll(decoder);
  ReleaseAll(factory);
  return image;
}

ImageDifference CompareImages(const Image& actual, const Image& expected, int channelTolerance) {
  ImageDifference d;
  d.sameSize = actual.width == expected.width && actual.height == expected.height && actual.width > 0;
  if (!d.sameSize) return d;
  for (size_t i = 0; i < actual.pixels.size(); ++i) {
    const uint32_t a = actual.pixels[i], e = expected.pixels[i];
    for (int shift : {0, 8, 16})
      if (std::abs(Channel(a, shift) - Channel(e, shift)) > channelTolerance) {
        if (d.differingPixels++ == 0)
          d.first = {static_cast<LONG>(i % static_cast<size_t>(actual.width)),
                     static_cast<LONG>(i / static_cast<size_t>(actual.width))};
        break;
      }
  }
  d.fraction = static_cast<double>(d.differingPixels) / static_cast<double>(actual.pixels.size());
  return d;
}

std::string CheckAgainstReference(const Image& actual, const std::wstring& referencePath, int channelTolerance,
                                  double maxFraction) {
  if (actual.width <= 0) return "nothing was captured";
  if (GetEnvironmentVariableW(L"VELLUM_REFRESH_REFERENCES", nullptr, 0) > 0)
    return SavePng(actual, referencePath) ? "" : "the reference could not be written: " + Narrow(referencePath);
  std::wstring actualPath = referencePath;
  const size_t dot = actualPath.rfind(L".png");
  if (dot != std::wstring::npos) actualPath.replace(dot, 4, L".actual.png");
  SavePng(actual, actualPath);
  const Image expected = LoadPng(referencePath);
  if (expected.width <= 0) return "no reference image at " + Narrow(referencePath);
  const ImageDifference d = CompareImages(actual, expected, channelTolerance);
  if (!d.sameSize) return "the size differs from the reference " + Narrow(referencePath);
  if (d.fraction > maxFraction)
    return std::to_string(d.differingPixels) + " pixels differ from the reference " + Narrow(referencePath) + " (see " +
           Narrow(actualPath) + ")";
  return "";
}

}  // namespace vt
