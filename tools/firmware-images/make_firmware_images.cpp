// Writes the stand-in firmware images the program carries as resources:
//   make_firmware_images <folder>   ->  <folder>/AppImage.bin, <folder>/SystemImage.bin
// Built for the machine that runs the build (it is run during the Windows build too).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/firmware-images/stand_in_image.h"

namespace {

bool WriteImage(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_firmware_images <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  if (!WriteImage(folder + "/AppImage.bin", gm::MakeStandInImage(gm::kStandInAppImage)) ||
      !WriteImage(folder + "/SystemImage.bin", gm::MakeStandInImage(gm::kStandInSystemImage))) {
    std::fprintf(stderr, "make_firmware_images: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
