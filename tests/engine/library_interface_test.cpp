// The shared library's face: exactly the interface's names exported (the
// engine's internals hidden), the Windows definition file naming each export
// plain and decorated with its argument bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TrivaneEngine.h"

#if defined(__linux__)
#include <dlfcn.h>
#include <elf.h>
#endif

namespace {

// Each export with the byte count of its arguments.
const std::map<std::string, int> kExports = {
    {"InitEngine", 0},
    {"RestartGame", 0},
    {"Engine_GetPlayer", 0},
    {"Engine_SetPlayer", 4},
    {"Engine_GetRemainingPutPlayerPieces", 4},
    {"Engine_GetPieceTable", 8},
    {"Engine_SetPieceTable", 12},
    {"Engine_PieceAllowedTable", 8},
    {"Engine_PlayerPieceExistsTable", 12},
    {"GamePart", 4},
    {"Engine_MakePlaceMove", 8},
    {"Engine_MakeSlideMove", 16},
    {"Engine_RemovePlay", 8},
    {"Engine_Place_Mark", 12},
    {"Engine_Remove_Mark", 12},
    {"FastMapDEBUG", 12},
    {"Engine_PrintNodeData", 8},
    {"Engine_Error", 0},
    {"Engine_Info_Size", 0},
    {"Engine_Info", 4},
    {"Engine_SetDifficulty", 4},
    {"AI_Play", 16},
    {"AI_PlayOLD", 16},
    {"NodeTree", 0},
    {"Engine_SetMessageHandler", 4},
    {"Engine_SetDrawRules", 8},
    {"Engine_GetDrawReason", 0},
    {"Engine_SetMasterLevel", 4},
    {"Engine_SetMasterVariety", 8},
};

#if defined(__linux__)
// The names the library defines in its dynamic symbol table.
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  if (bytes.size() < sizeof(Elf64_Ehdr)) return names;
  const auto* eh = reinterpret_cast<const Elf64_Ehdr*>(bytes.data());
  if (eh->e_ident[EI_CLASS] != ELFCLASS64 || eh->e_shoff + eh->e_shnum * sizeof(Elf64_Shdr) > bytes.size())
    return names;
  const auto* sh = reinterpret_cast<const Elf64_Shdr*>(bytes.data() + eh->e_shoff);
  for (int i = 0; i < eh->e_shnum; ++i) {
    if (sh[i].sh_type != SHT_DYNSYM || sh[i].sh_link >= eh->e_shnum) continue;
    const Elf64_Shdr& strtab = sh[sh[i].sh_link];
    const auto* syms = reinterpret_cast<const Elf64_Sym*>(bytes.data() + sh[i].sh_offset);
    for (size_t k = 0; k < sh[i].sh_size / sizeof(Elf64_Sym); ++k) {
      const int bind = ELF64_ST_BIND(syms[k].st_info);
      if (syms[k].st_shndx == SHN_UNDEF || (bind != STB_GLOBAL && bind != STB_WEAK)) continue;
      names.insert(bytes.data() + strtab.sh_offset + syms[k].st_name);
    }
  }
  return names;
}

TEST(SharedLibrary, ExportsTheInterfaceAndNothingElse) {
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&InitEngine), &info), 0);
  ASSERT_NE(info.dli_fname, nullptr);
  const std::set<std::string> defined = DefinedDynamicSymbols(info.dli_fname);
  ASSERT_FALSE(defined.empty()) << "could not read " << info.dli_fname;
  std::set<std::string> expected;
  for (const auto& [name, bytes] : kExports) expected.insert(name);
  EXPECT_EQ(defined, expected);
  void* self = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(self, nullptr);
  for (const auto& name : expected) EXPECT_NE(dlsym(self, name.c_str()), nullptr) << name;
  EXPECT_EQ(dlsym(self, "_ZN7trivane7PieceAtEhh"), nullptr);
  EXPECT_EQ(dlsym(self, "_ZN7trivane6g_gameE"), nullptr);
  dlclose(self);
}
#endif

TEST(SharedLibrary, DefinitionFileNamesEachExportPlainAndDecorated) {
  std::ifstream def(TRIVANE_ENGINE_DIR "/TrivaneEngine.def");
  ASSERT_TRUE(def) << "no definition file";
  std::map<std::string, int> plain;
  std::map<std::string, std::string> decorated;
  std::string line;
  while (std::getline(def, line)) {
    std::istringstream words(line);
    std::string name, eq, target;
    words >> name >> eq >> target;
    if (name.empty() || name == "LIBRARY" || name == "EXPORTS") continue;
    const auto at = name.find('@');
    if (at == std::string::npos) {
      ++plain[name];
    } else {
      EXPECT_EQ(eq, "=") << line;
      EXPECT_EQ(target, name.substr(0, at)) << line;
      decorated[name] = target;
    }
  }
  for (const auto& [name, bytes] : kExports) {
    EXPECT_EQ(plain[name], 1) << name;
    EXPECT_EQ(decorated.count(name + "@" + std::to_string(bytes)), 1u) << name << "@" << bytes;
  }
  EXPECT_EQ(plain.size(), kExports.size());
  EXPECT_EQ(decorated.size(), kExports.size());
}


}  // namespace
