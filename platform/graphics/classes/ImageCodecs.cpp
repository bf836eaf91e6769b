#include "platform/graphics/classes/ImageCodecs.h"

#include <cstring>

namespace gxcodec {
namespace {

std::uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back((x >> (8 * i)) & 0xFF);
}
void Put16(std::vector<unsigned char>& v, std::uint16_t x) {
  v.push_back(x & 0xFF);
  v.push_back(x >> 8);
}

constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

}  // namespace

bool DecodeDib(const unsigned char* data, size_t size, DecodedImage& out, bool iconMask) {
  if (size < 12) return false;
  std::uint32_t hsize = U32(data);
  std::int64_t w, h;
  int bpp, planes;
  std::uint32_t compression = 0, colorsUsed = 0;
  size_t paletteEntry = 4;
  if (hsize == 12) {  // core header
    w = U16(data + 4);
    h = std::int16_t(U16(data + 6));
    planes = U16(data + 8);
    bpp = U16(data + 10);
    paletteEntry = 3;
  } else if (hsize >= 40 && hsize <= 256) {
    if (size < hsize) return false;
    w = std::int32_t(U32(data + 4));
    h = std::int32_t(U32(data + 8));
    planes = U16(data + 12);
    bpp = U16(data + 14);
    compression = U32(data + 16);
    colorsUsed = U32(data + 32);
  } else {
    return false;
  }
  (void)planes;
  bool topDown = h < 0;
  if (topDown) h = -h;
  if (iconMask) h /= 2;
  if (w <= 0 || h <= 0 || w > 32767 || h > 32767 || w * h > kMaxPixels) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  // Only uncompressed pixels (and bit fields for 32-bit images, read as 0x00RRGGBB).
  if (compression != 0 && !(compression == 3 && bpp == 32)) return false;
  size_t at = hsize;
  if (compression == 3 && hsize == 40) at += 12;
  size_t paletteCount = bpp <= 8 ? (colorsUsed && colorsUsed <= (1u << bpp) ? colorsUsed : (1u << bpp)) : 0;
  if (at + paletteCount * paletteEntry > size) return false;
  std::vector<std::uint32_t> palette(256, 0);
  for (size_t i = 0; i < paletteCount; ++i) {
    const unsigned char* q = data + at + i * paletteEntry;
    palette[i] = (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
  }
  at += paletteCount * paletteEntry;
  size_t stride = ((size_t(w) * bpp + 31) / 32) * 4;
  if (at + stride * size_t(h) > size) return false;
  out.image.width = int(w);
  out.image.height = int(h);
  out.bitsPerPixel = bpp;
  out.image.pixels.assign(size_t(w) * h, 0);
  bool anyAlpha = false;
  for (std::int64_t row = 0; row < h; ++row) {
    const unsigned char* line = data + at + stride * size_t(topDown ? row : h - 1 - row);
    for (std::int64_t x = 0; x < w; ++x) {
      std::uint32_t p = 0;
      switch (bpp) {
        case 1: p = palette[(line[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: p = palette[(line[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
        case 8: p = palette[line[x]]; break;
        case 24: p = (std::uint32_t(line[x * 3 + 2]) << 16) | (std::uint32_t(line[x * 3 + 1]) << 8) | line[x * 3]; break;
        default:
          p = (std::uint32_t(line[x * 4 + 2]) << 16) | (std::uint32_t(line[x * 4 + 1]) << 8) | line[x * 4];
          if (iconMask) {
            p |= std::uint32_t(line[x * 4 + 3]) << 24;
            anyAlpha = anyAlpha || line[x * 4 + 3] != 0;
          }
          break;
      }
      out.image.pixels[size_t(row) * w + x] = p;
    }
  }
  if (iconMask) {
    // The AND mask follows: 1 bits are see-through. 32-bit images with opacity ignore it.
    size_t maskAt = at + stride * size_t(h);
    size_t maskStride = ((size_t(w) + 31) / 32) * 4;
    bool haveMask = maskAt + maskStride * size_t(h) <= size;
    for (std::int64_t row = 0; row < h; ++row)
      for (std::int64_t x = 0; x < w; ++x) {
        std::uint32_t& p = out.image.pixels[size_t(row) * w + x];
        if (bpp == 32 && anyAlpha) continue;
        bool clear = false;
        if (haveMask) {
          const unsigned char* line = data + maskAt + maskStride * size_t(topDown ? row : h - 1 - row);
          clear = (line[x / 8] >> (7 - x % 8)) & 1;
        }
        p = clear ? 0 : (0xFF000000 | (p & 0xFFFFFF));
      }
  }
  return true;
}

bool DecodeBmp(const unsigned char* data, size_t size, DecodedImage& out) {
  if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
  std::uint32_t offBits = U32(data + 10);
  DecodedImage tmp;
  if (!DecodeDib(data + 14, size - 14, tmp, false)) return false;
  // The pixel offset must agree with where the pixels follow the header and palette.
  if (offBits != 0 && (offBits < 14 + 12 || offBits > size)) return false;
  out = std::move(tmp);
  return true;
}

std::vector<unsigned char> EncodeBmp(const win::PixelImage& img, bool mono) {
  int w = img.width, h = img.height;
  int bpp = mono ? 1 : 24;
  size_t stride = ((size_t(w) * bpp + 31) / 32) * 4;
  size_t palette = mono ? 8 : 0;
  size_t offBits = 14 + 40 + palette;
  std::vector<unsigned char> v;
  v.reserve(offBits + stride * h);
  v.push_back('B');
  v.push_back('M');
  Put32(v, std::uint32_t(offBits + stride * h));
  Put32(v, 0);
  Put32(v, std::uint32_t(offBits));
  Put32(v, 40);
  Put32(v, std::uint32_t(w));
  Put32(v, std::uint32_t(h));
  Put16(v, 1);
  Put16(v, std::uint16_t(bpp));
  Put32(v, 0);
  Put32(v, std::uint32_t(stride * h));
  Put32(v, 3780);
  Put32(v, 3780);
  Put32(v, mono ? 2 : 0);
  Put32(v, 0);
  if (mono) {
    Put32(v, 0);
    Put32(v, 0x00FFFFFF);
  }
  for (int row = h - 1; row >= 0; --row) {
    std::vector<unsigned char> line(stride, 0);
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = img.pixels[size_t(row) * w + x] & 0xFFFFFF;
      if (mono) {
        if (p != 0) line[x / 8] |= std::uint8_t(0x80 >> (x % 8));
      } else {
        line[x * 3] = p & 0xFF;
        line[x * 3 + 1] = (p >> 8) & 0xFF;
        line[x * 3 + 2] = (p >> 16) & 0xFF;
      }
    }
    v.insert(v.end(), line.begin(), line.end());
  }
  return v;
}

bool DecodeIco(const unsigned char* data, size_t size, DecodedImage& out) {
  if (!data || size < 6 || U16(data) != 0 || (U16(data + 2) != 1 && U16(data + 2) != 2)) return false;
  int count = U16(data + 4);
  if (count <= 0 || 6 + size_t(count) * 16 > size) return false;
  int best = -1;
  std::int64_t bestArea = -1;
  for (int i = 0; i < count; ++i) {
    const unsigned char* e = data + 6 + i * 16;
    std::int64_t w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    if (w * h > bestArea) {
      bestArea = w * h;
      best = i;
    }
  }
  const unsigned char* e = data + 6 + best * 16;
  std::uint32_t len = U32(e + 8), off = U32(e + 12);
  if (off > size || len > size - off) return false;
  return DecodeDib(data + off, len, out, true);
}

std::vector<unsigned char> EncodeIco(const win::PixelImage& img) {
  int w = img.width, h = img.height;
  size_t stride = size_t(w) * 4, maskStride = ((size_t(w) + 31) / 32) * 4;
  size_t dibSize = 40 + stride * h + maskStride * h;
  std::vector<unsigned char> v;
  Put16(v, 0);
  Put16(v, 1);
  Put16(v, 1);
  v.push_back(std::uint8_t(w >= 256 ? 0 : w));
  v.push_back(std::uint8_t(h >= 256 ? 0 : h));
  v.push_back(0);
  v.push_back(0);
  Put16(v, 1);
  Put16(v, 32);
  Put32(v, std::uint32_t(dibSize));
  Put32(v, 22);
  Put32(v, 40);
  Put32(v, std::uint32_t(w));
  Put32(v, std::uint32_t(h * 2));
  Put16(v, 1);
  Put16(v, 32);
  for (int i = 0; i < 6; ++i) Put32(v, 0);
  for (int row = h - 1; row >= 0; --row)
    for (int x = 0; x < w; ++x) Put32(v, img.pixels[size_t(row) * w + x]);
  for (int row = h - 1; row >= 0; --row) {
    std::vector<unsigned char> line(maskStride, 0);
    for (int x = 0; x < w; ++x)
      if ((img.pixels[size_t(row) * w + x] >> 24) < 128) line[x / 8] |= std::uint8_t(0x80 >> (x % 8));
    v.insert(v.end(), line.begin(), line.end());
  }
  return v;
}

}  // namespace gxcodec
