#include <string>

#include "cli/commands.h"
#include "platform/sjis.h"
#include "toolkit/image/image.h"

namespace cli {

int ImageCommand(std::span<const std::string_view> args, const Io& io) {
  if (args.size() != 2 || args[0] != "info") {
    std::fputs("usage: vantari image info FILE\n", io.err);
    return 2;
  }
  lumak::CImage image;
  if (!image.Load(platform::PathFromSjis(args[1]))) {
    std::fprintf(io.err, "vantari: %s is no BMP or PNG image that can be read\n",
                 std::string(args[1]).c_str());
    return 1;
  }
  int width = 0, height = 0;
  image.GetImageSize(width, height);
  std::fprintf(io.out, "size %dx%d\ndepth %d\nstride %u\nalpha %s\n", width, height,
               image.GetColorDepth(), image.stride(), image.alpha() ? "yes" : "no");
  if (image.GetColorDepth() <= 8) {
    const uint8_t* p = image.GetPalette();
    std::fputs("palette", io.out);
    for (int i = 0; i < (1 << image.GetColorDepth()); ++i) {
      std::fprintf(io.out, " %02X%02X%02X", p[4 * i], p[4 * i + 1], p[4 * i + 2]);
    }
    std::fputs("\n", io.out);
  }
  return 0;
}

}  // namespace cli
