// LoadPicture: one entry for every picture file the library reads, choosing
// the loader by the file's extension.
#include <string>

#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

void LoadPicture(const std::string& fileName) {
  const size_t dot = fileName.find_last_of('.');
  const std::string name = dot == std::string::npos ? fileName : fileName.substr(0, dot);
  const std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
  const std::string kind = UpperAscii(extension);
  if (kind == "IVX") {
    LoadIvxPicture(name);
  } else if (kind == "BMP" || kind == "RLE") {
    LoadBmpPicture(name);
  } else if (kind == "ICO") {
    LoadIcoPicture(name);
  } else if (kind == "CUR") {
    LoadCurPicture(name);
  } else if (kind == "JPG" || kind == "JPEG") {
    LoadJpegPicture(fileName);
  } else {
    AskBox("Error", " Cannot open files of filetype \"" + kind + "\"", "OK", "!", "APPLICATION");
  }
}

}  // namespace ivxfiles
