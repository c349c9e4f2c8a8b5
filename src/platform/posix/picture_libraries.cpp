#include "platform/posix/picture_libraries.h"

#include <dlfcn.h>

namespace calvern::platform {
namespace {

#define CALVERN_TEXT(value) #value
#define CALVERN_NUMBER_TEXT(value) CALVERN_TEXT(value)

constexpr const char* kLibpngFile = "libpng" CALVERN_NUMBER_TEXT(
    PNG_LIBPNG_VER_DLLNUM) ".so." CALVERN_NUMBER_TEXT(PNG_LIBPNG_VER_SONUM);

// libjpeg's ABI 6.2 is "libjpeg.so.62"; the later ones, 7 and 8, drop the second digit.
#if JPEG_LIB_VERSION % 10 == 0 && JPEG_LIB_VERSION >= 70
constexpr const char* kLibjpegFile = JPEG_LIB_VERSION == 70 ? "libjpeg.so.7" : "libjpeg.so.8";
#else
constexpr const char* kLibjpegFile = "libjpeg.so." CALVERN_NUMBER_TEXT(JPEG_LIB_VERSION);
#endif

// Looks `name` up in `library` as the type of `function`; false when it is missing.
template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// Loads `file` and lets `findAll` fill a table of its functions; nullptr when the file cannot
// be loaded or lacks one of them. The library stays loaded to the end of the process.
template <typename Functions, typename FindAll>
const Functions* Load(const char* file, const FindAll& findAll) {
  static Functions functions;
  void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr || !findAll(library, functions)) return nullptr;
  return &functions;
}

}  // namespace

const Libpng* LoadLibpng() {
  static const Libpng* const loaded = Load<Libpng>(kLibpngFile, [](void* library, Libpng& f) {
#define CALVERN_FIND_PNG(name) &&Find(library, "png_" #name, f.name)
    return true CALVERN_PNG_FUNCTIONS(CALVERN_FIND_PNG);
#undef CALVERN_FIND_PNG
  });
  return loaded;
}

const Libjpeg* LoadLibjpeg() {
  static const Libjpeg* const loaded = Load<Libjpeg>(kLibjpegFile, [](void* library, Libjpeg& f) {
#define CALVERN_FIND_JPEG(name) &&Find(library, "jpeg_" #name, f.name)
    return true CALVERN_JPEG_FUNCTIONS(CALVERN_FIND_JPEG);
#undef CALVERN_FIND_JPEG
  });
  return loaded;
}

const char* LibpngFileName() { return kLibpngFile; }
const char* LibjpegFileName() { return kLibjpegFile; }

}  // namespace calvern::platform
