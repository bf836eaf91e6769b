#pragma once
// BMP and ICO files to and from pixel images. Decoders check every size and offset
// against the data and report failure instead of reading past it.
#include <cstdint>
#include <vector>

#include "platform/graphics/Gdi.h"

namespace gxcodec {

struct DecodedImage {
  win::PixelImage image;   // 0x00RRGGBB (BMP) or 0xAARRGGBB (ICO)
  int bitsPerPixel = 24;
};

// A BMP file (with its 14-byte file header); false for anything else or anything broken.
bool DecodeBmp(const unsigned char* data, size_t size, DecodedImage& out);
// A device-independent bitmap without the file header (as inside ICO files); height
// given separately when the header's counts the mask too.
bool DecodeDib(const unsigned char* data, size_t size, DecodedImage& out, bool iconMask);
std::vector<unsigned char> EncodeBmp(const win::PixelImage& image, bool monochrome);
// The largest image of an ICO file, with opacity.
bool DecodeIco(const unsigned char* data, size_t size, DecodedImage& out);
std::vector<unsigned char> EncodeIco(const win::PixelImage& argb);

}  // namespace gxcodec
