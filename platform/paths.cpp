// File names written the Windows way, made native.
#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <strings.h>

#include "platform/paths.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// The entry of folder whose name equals name ignoring case, or name itself.
std::string MatchIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return name;
  std::string found = name;
  while (dirent* e = readdir(dir)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string NativePath(std::string_view path) {
  std::string p(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  // "C:/Program Files/..." names the root of the one file tree.
  if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
    p.erase(0, 2);
    if (p.empty() || p[0] != '/') p.insert(p.begin(), '/');
  }
  // Repeated separators mean one.
  std::string clean;
  for (char c : p)
    if (!(c == '/' && !clean.empty() && clean.back() == '/')) clean.push_back(c);
  if (clean.empty() || Exists(clean)) return clean;
  // Windows file names ignore case: find each part as it is written on disk.
  std::string built;
  size_t start = 0;
  if (clean[0] == '/') {
    built = "/";
    start = 1;
  }
  while (start < clean.size()) {
    size_t end = clean.find('/', start);
    std::string part = clean.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == "..") {
      built += part;
    } else {
      std::string folder = built.empty() ? "." : built;
      built += MatchIgnoringCase(folder, part);
    }
    if (end == std::string::npos) break;
    built += "/";
    start = end + 1;
  }
  return built;
}
