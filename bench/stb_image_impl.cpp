// The one translation unit that holds stb_image's implementation (a benchmark peer).
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
