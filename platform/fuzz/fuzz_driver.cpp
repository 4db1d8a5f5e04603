// Runs a fuzzing entry without libFuzzer, so any compiler's sanitizer build can
// check it.  Files and folders named on the command line are replayed (a
// folder stands for every file in it).  "--random N" then makes N more inputs
// from a fixed seed: mutations of the replayed files when there are any,
// random bytes otherwise.  "--seconds S" stops the random inputs after S
// seconds.  Exit status 0 when every named file was read.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

bool ReadFile(const std::filesystem::path& path, Bytes* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// An input slower than this is kept as "slow-input" in the current folder
// and named on the standard error, so it can be replayed and looked at.
constexpr double kSlowSeconds = 2.0;

void Run(const Bytes& b) {
  const auto start = std::chrono::steady_clock::now();
  LLVMFuzzerTestOneInput(b.data(), b.size());
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (took > kSlowSeconds) {
    std::fprintf(stderr, "an input took %.1f s; kept as slow-input\n", took);
    std::ofstream("slow-input", std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  }
}

Bytes Mutate(Bytes b, std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int e = 0; e < edits; ++e) {
    const size_t at = b.empty() ? 0 : rng() % b.size();
    switch (rng() % 6) {
      case 0:
      case 1:
        if (!b.empty()) b[at] = static_cast<uint8_t>(byte(rng));
        break;
      case 2:
        if (!b.empty()) b[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
      case 3: b.insert(b.begin() + static_cast<long>(at), static_cast<uint8_t>(byte(rng))); break;
      case 4: b.resize(at); break;  // cut short
      default:
        // A 32-bit field set to an extreme, where sizes and offsets overflow.
        if (b.size() >= at + 4) {
          static const uint32_t kExtremes[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 0x10000};
          const uint32_t v = kExtremes[rng() % 7];
          for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
        }
        break;
    }
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  bool ok = true;
  long random = 0;
  double seconds = 1e9;
  std::vector<Bytes> seeds;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--random" && i + 1 < argc) {
      random = std::atol(argv[++i]);
      continue;
    }
    if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
      continue;
    }
    const std::filesystem::path path(arg);
    std::error_code error;
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path, error)) {
      for (const auto& entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.push_back(path);
    }
    for (const auto& f : files) {
      Bytes b;
      if (!ReadFile(f, &b)) {
        ok = false;
        continue;
      }
      Run(b);
      seeds.push_back(std::move(b));
    }
  }
  std::mt19937 rng(20261208);
  const auto start = std::chrono::steady_clock::now();
  long made = 0;
  for (; made < random; ++made) {
    if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > seconds) break;
    if (!seeds.empty()) {
      Run(Mutate(seeds[rng() % seeds.size()], rng));
    } else {
      Bytes b(rng() % 600);
      for (auto& c : b) c = static_cast<uint8_t>(rng());
      Run(b);
    }
  }
  std::printf("%zu inputs replayed, %ld made\n", seeds.size(), made);
  return ok && (seeds.size() + static_cast<size_t>(made)) > 0 ? 0 : 1;
}
