#include "platform/image_decoder.h"

#include <windows.h>
// wincodec.h needs the COM types of windows.h first.
#include <wincodec.h>

#include "platform/win32/com.h"

namespace calvern::platform {

DecodedImage DecodeImage(std::string_view bytes, int maxSide) {
  DecodedImage image;
  ComScope com;
  if (!com.Usable() || bytes.empty() || bytes.size() > 0xFFFFFFFFu) return image;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  // WIC reads the caller's bytes in place and never writes them.
  auto* data = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory.p))) ||
      FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height))) {
    return image;
  }
  image.width = static_cast<int>(width > 0x7FFFFFFF ? 0x7FFFFFFF : width);
  image.height = static_cast<int>(height > 0x7FFFFFFF ? 0x7FFFFFFF : height);
  if (width == 0 || height == 0) return image;
  if (width > static_cast<UINT>(maxSide) || height > static_cast<UINT>(maxSide)) {
    image.outcome = DecodedImage::Outcome::kTooLarge;
    return image;
  }
  // Every pixel format as blue, green and red bytes; an alpha channel is dropped.
  ComPtr<IWICFormatConverter> converter;
  const UINT stride = 3 * width;
  std::vector<BYTE> bgr(static_cast<std::size_t>(stride) * height);
  if (FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(bgr.size()), bgr.data()))) {
    return image;
  }
  image.rgb.resize(bgr.size());
  for (std::size_t i = 0; i + 2 < bgr.size(); i += 3) {
    image.rgb[i] = bgr[i + 2];
    image.rgb[i + 1] = bgr[i + 1];
    image.rgb[i + 2] = bgr[i];
  }
  image.outcome = DecodedImage::Outcome::kDecoded;
  return image;
}

}  // namespace calvern::platform
