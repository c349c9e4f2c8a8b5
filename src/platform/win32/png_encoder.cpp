#include "platform/png_encoder.h"

#include <windows.h>
// wincodec.h needs the COM types of windows.h first.
#include <wincodec.h>

#include <vector>

#include "platform/win32/com.h"

namespace calvern::platform {
namespace {

// The stream's whole content.
std::optional<std::string> StreamBytes(IStream* stream) {
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream, &memory))) return std::nullopt;
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return std::nullopt;
  const void* data = GlobalLock(memory);
  if (data == nullptr) return std::nullopt;
  std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(stat.cbSize.QuadPart));
  GlobalUnlock(memory);
  return bytes;
}

}  // namespace

// Windows writes the PNG file with its own codec, the Windows Imaging Component: a 24-bit
// picture in, the bytes of a PNG file out.
std::optional<std::string> EncodePng(const Picture& picture) {
  ComScope com;
  if (!com.Usable()) return std::nullopt;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory.p))) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(picture.Width(), picture.Height()))) {
    return std::nullopt;
  }
  // WIC's 24-bit PNG form is blue, green, red; the encoder must accept it unchanged.
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) {
    return std::nullopt;
  }
  UINT stride = 3u * picture.Width();
  std::vector<BYTE> bgr(picture.Rgb().size());
  for (std::size_t i = 0; i + 2 < bgr.size(); i += 3) {
    bgr[i] = picture.Rgb()[i + 2];
    bgr[i + 1] = picture.Rgb()[i + 1];
    bgr[i + 2] = picture.Rgb()[i];
  }
  if (FAILED(frame->WritePixels(picture.Height(), stride, static_cast<UINT>(bgr.size()),
                                bgr.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return std::nullopt;
  }
  return StreamBytes(stream.p);
}

}  // namespace calvern::platform
