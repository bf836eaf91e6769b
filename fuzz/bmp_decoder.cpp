// Feeds arbitrary bytes to the BMP decoder. It may only refuse; an image it accepts must
// come back unchanged through the encoder and the decoder.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/graphics/classes/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  gxcodec::DecodedImage image;
  if (!gxcodec::DecodeBmp(Data, Size, image)) return 0;
  const win::PixelImage& p = image.image;
  if (p.width <= 0 || p.height <= 0 || p.pixels.size() != std::size_t(p.width) * std::size_t(p.height)) {
    std::fprintf(stderr, "accepted image has a bad shape %dx%d\n", p.width, p.height);
    std::abort();
  }
  const std::vector<unsigned char> encoded = gxcodec::EncodeBmp(p, false);
  gxcodec::DecodedImage again;
  if (!gxcodec::DecodeBmp(encoded.data(), encoded.size(), again) || again.image.width != p.width ||
      again.image.height != p.height) {
    std::fprintf(stderr, "encoded image does not decode again\n");
    std::abort();
  }
  for (std::size_t i = 0; i < p.pixels.size(); ++i)
    if ((again.image.pixels[i] & 0xFFFFFF) != (p.pixels[i] & 0xFFFFFF)) {
      std::fprintf(stderr, "pixel %zu changes through the encoder\n", i);
      std::abort();
    }
  return 0;
}
