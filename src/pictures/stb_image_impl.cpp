// The one translation unit that holds stb_image's code, with only its BMP and TGA readers: the
// other formats go through libpng and libjpeg-turbo.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 4096
#include <stb/stb_image.h>
