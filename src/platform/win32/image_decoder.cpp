#include "platform/image_decoder.h"

#include <windows.h>
// wincodec.h needs the COM types of windows.h first.
#include <wincodec.h>

#include "platform/win32/com.h"

namespace calvern::platform {

DecodedImage DecodeImage(std::string_view bytes) {
  DecodedImage image;
  ComScope com;
  if (!com.Usable() || bytes.empty() || bytes.size() > 0xFFFFFFFFu) return image;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  WICPixelFormatGUID format{};
  // WIC reads the caller's bytes in place and never writes them.
  auto* data = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory.p))) ||
      FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
      FAILED(frame->GetPixelFormat(&format)) || width == 0 || height == 0 || width > 0xFFFF ||
      height > 0xFFFF) {
    return image;
  }
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  // Grey and CMYK pictures are copied as they are: Wine's converter cannot turn grey into
  // colour, and CMYK is turned into light by the caller's own rule, where the converter would
  // apply a colour profile of its own.
  const bool grey = IsEqualGUID(format, GUID_WICPixelFormat8bppGray);
  image.cmyk = IsEqualGUID(format, GUID_WICPixelFormat32bppCMYK);
  const UINT bytesPerPixel = grey ? 1 : image.cmyk ? 4 : 3;
  const UINT stride = bytesPerPixel * width;
  std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
  const auto size = static_cast<UINT>(pixels.size());
  if (grey || image.cmyk) {
    if (FAILED(frame->CopyPixels(nullptr, stride, size, pixels.data()))) return image;
  } else {
    // Every other pixel format as blue, green and red bytes; an alpha channel is dropped.
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, stride, size, pixels.data()))) {
      return image;
    }
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) std::swap(pixels[i], pixels[i + 2]);
  }
  if (grey) {
    image.pixels.reserve(3 * pixels.size());
    for (BYTE v : pixels) image.pixels.insert(image.pixels.end(), {v, v, v});
  } else {
    image.pixels = std::move(pixels);
  }
  image.decoded = true;
  return image;
}

}  // namespace calvern::platform
