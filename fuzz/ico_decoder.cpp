// Feeds arbitrary bytes to the ICO decoder. It may only refuse; an icon it accepts must
// come back unchanged, opacity included, through the encoder and the decoder.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/graphics/classes/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  gxcodec::DecodedImage image;
  if (!gxcodec::DecodeIco(Data, Size, image)) return 0;
  const win::PixelImage& p = image.image;
  if (p.width <= 0 || p.height <= 0 || p.pixels.size() != std::size_t(p.width) * std::size_t(p.height)) {
    std::fprintf(stderr, "accepted icon has a bad shape %dx%d\n", p.width, p.height);
    std::abort();
  }
  const std::vector<unsigned char> encoded = gxcodec::EncodeIco(p);
  gxcodec::DecodedImage again;
  if (!gxcodec::DecodeIco(encoded.data(), encoded.size(), again) || again.image.width != p.width ||
      again.image.height != p.height) {
    std::fprintf(stderr, "encoded icon does not decode again\n");
    std::abort();
  }
  if (again.image.pixels != p.pixels) {
    std::fprintf(stderr, "pixels change through the encoder\n");
    std::abort();
  }
  return 0;
}
