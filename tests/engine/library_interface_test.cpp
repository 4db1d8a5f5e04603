// The shared library's face: exactly the interface's names exported (the
// engine's internals hidden), the Windows definition file naming each export
// plain and decorated with its argument bytes.
#include <gtest/gtest.h>

#include <algorithm>
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
#elif defined(_WIN32)
#include <windows.h>
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
    {"Engine_LegalMoves", 8},
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

#if defined(_WIN32)
// The export table of the DLL as the loader sees it, read from the loaded
// image: name -> address (relative to the image).
std::map<std::string, DWORD> ExportTable(HMODULE module, std::string* dllName) {
  std::map<std::string, DWORD> table;
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return table;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return table;
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (dir.VirtualAddress == 0 || dir.Size < sizeof(IMAGE_EXPORT_DIRECTORY)) return table;
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
  const auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    if (ordinals[i] >= exports->NumberOfFunctions) continue;
    table[reinterpret_cast<const char*>(base + names[i])] = functions[ordinals[i]];
  }
  if (dllName != nullptr) *dllName = reinterpret_cast<const char*>(base + exports->Name);
  return table;
}

TEST(SharedLibrary, ExportTableHoldsEachFunctionPlainAndDecoratedAtOneAddress) {
  HMODULE module = GetModuleHandleA("TrivaneEngine.dll");
  ASSERT_NE(module, nullptr);
  std::string dllName;
  const std::map<std::string, DWORD> table = ExportTable(module, &dllName);
  EXPECT_EQ(dllName, "TrivaneEngine.dll");
  EXPECT_EQ(table.size(), 2 * kExports.size());
  for (const auto& [name, bytes] : kExports) {
    const std::string decorated = name + "@" + std::to_string(bytes);
    ASSERT_EQ(table.count(name), 1u) << name;
    ASSERT_EQ(table.count(decorated), 1u) << decorated;
    EXPECT_EQ(table.at(name), table.at(decorated)) << name;
    // The loader resolves both names to the same code.
    FARPROC plain = GetProcAddress(module, name.c_str());
    EXPECT_NE(plain, nullptr) << name;
    EXPECT_EQ(plain, GetProcAddress(module, decorated.c_str())) << decorated;
  }
  // This program was bound through its import table: what it calls is what
  // the table names.
  EXPECT_EQ(reinterpret_cast<void*>(&InitEngine), reinterpret_cast<void*>(GetProcAddress(module, "InitEngine")));
  EXPECT_EQ(reinterpret_cast<void*>(&Engine_MakeSlideMove),
            reinterpret_cast<void*>(GetProcAddress(module, "Engine_MakeSlideMove@16")));
}

// The names this program imports from the DLL, read from its own import table.
std::vector<std::string> ImportedFrom(const char* dll) {
  std::vector<std::string> names;
  const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0) return names;
  for (const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name != 0;
       ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
    // The lookup table keeps the names after the loader has filled the addresses.
    for (const auto* t = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
         t->u1.AddressOfData != 0; ++t) {
      if (IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal)) {
        names.push_back("#ordinal");
        continue;
      }
      const auto* by_name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + t->u1.AddressOfData);
      names.push_back(reinterpret_cast<const char*>(by_name->Name));
    }
  }
  return names;
}

TEST(SharedLibrary, ImportLibraryBindsThePlainNames) {
  const std::vector<std::string> imported = ImportedFrom("TrivaneEngine.dll");
  ASSERT_FALSE(imported.empty());
  for (const auto& name : imported) EXPECT_EQ(kExports.count(name), 1u) << name;
  EXPECT_NE(std::find(imported.begin(), imported.end(), "InitEngine"), imported.end());
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
