// trivane-datagen: writes the game's data into a program folder.
//
//   trivane-datagen <program folder> [--sheet <png file>] [--icon <png file>] [--list]
//
// Files whose bytes are already right are left untouched, so a rebuild does
// not disturb a running game or an install that copies by date.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "resources/data_set.h"
#include "resources/file_formats.h"

namespace {

bool SameContent(const std::filesystem::path& path, const std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return old == bytes;
}

bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  if (SameContent(path, bytes)) return true;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "trivane-datagen: could not write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: trivane-datagen <program folder> [--sheet <png file>] [--icon <png file>] [--list]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder, sheet, icon;
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--sheet") {
      if (i + 1 >= argc) return Usage();
      sheet = argv[++i];
    } else if (arg == "--icon") {
      if (i + 1 >= argc) return Usage();
      icon = argv[++i];
    } else if (arg == "--list") {
      list = true;
    } else if (folder.empty() && (arg.empty() || arg[0] != '-')) {
      folder = arg;
    } else {
      // An unknown option, or a second folder.
      return Usage();
    }
  }
  if (folder.empty()) return Usage();

  std::string error;
  if (!datagen::FontsAvailable(&error)) {
    std::fprintf(stderr, "trivane-datagen: %s (the pictures need the DejaVu Sans fonts)\n", error.c_str());
    return 1;
  }
  const std::filesystem::path root(folder);
  for (const datagen::DataFile& f : datagen::GameFiles()) {
    if (list) std::printf("%s %zu\n", f.path.c_str(), f.bytes.size());
    if (!WriteBytes(root / f.path, f.bytes)) return 1;
  }
  if (!sheet.empty() && !WriteBytes(sheet, datagen::PngFile(datagen::MakeContactSheet()))) return 1;
  if (!icon.empty() && !WriteBytes(icon, datagen::PngFile(datagen::MakeDesktopIcon()))) return 1;
  return 0;
}
