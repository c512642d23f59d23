// Writes the icon and the four sounds into the directory given as the only argument. The files
// are kept in the repository beside this generator, so that cross builds need no host tool; a
// unit test checks that they are exactly what this generator makes.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Icon.h"
#include "Sounds.h"

using namespace pausarium::resources;

static bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = writeFile(dir + "/Pausarium.ico", encodeIco(drawIcon()));
  for (const Sound& sound : breakCycleSounds())
    ok = writeFile(dir + "/Sound/" + sound.fileName, encodeWave(synthesise(sound))) && ok;
  return ok ? 0 : 1;
}
