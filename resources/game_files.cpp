// The files of the program folder, as the program and the toolkit look for
// them: the pictures and "back.jpg" beside the program, "Sounds", and the
// "Resources" folder with the skins, the pointers and the screen saver logo.
#include <algorithm>

#include "resources/data_set.h"
#include "resources/file_formats.h"

namespace datagen {

namespace {

std::string JoinFolder(const std::string& base, const std::string& folder) {
  std::string path = base;
  if (!folder.empty()) {
    std::string f = folder;
    std::replace(f.begin(), f.end(), '\\', '/');
    path += (path.empty() ? "" : "/") + f;
  }
  return path;
}

}  // namespace

std::vector<DataFile> GameFiles() {
  std::vector<DataFile> files;
  auto add = [&](std::string path, std::string bytes) {
    files.push_back(DataFile{std::move(path), std::move(bytes)});
  };

  // The settings file names the default skin; the screen saver waits the
  // toolkit's usual five minutes.
  add("enviroment.nfo", "skin(skin1)\nscreensaver_time(5)\n");

  for (const std::string& name : SkinNames()) {
    const SkinFiles skin = MakeSkin(name);
    const std::string base = "Resources/" + skin.name;
    add(base + "/colours.dat", skin.colours);
    add(base + "/metrics.dat", skin.metrics);
    for (const NamedPicture& p : skin.pictures)
      add(JoinFolder(base, p.folder) + "/" + p.name + ".ivx", IvxFile(p.picture));
  }
  for (const PointerPicture& p : MakePointers())
    add("Resources/Pointers/" + p.file, CursorFile(p.colours, p.alpha, p.hotX, p.hotY));

  const NamedPicture logo = MakeScreenSaverLogo();
  add("Resources/" + logo.name + ".ivx", IvxFile(logo.picture));

  const Picture background = MakeBackground();
  add("back.jpg", JpegFile(background, 92));
  for (const NamedPicture& p : MakeGamePictures(background)) add(p.name + ".ivx", IvxFile(p.picture));

  for (const Sound& s : MakeSounds()) add("Sounds/" + s.file, WavFile(s.samples, kSampleRate));
  return files;
}

}  // namespace datagen
