// Windows: the install folder on drive C:, then on A: and D: to I:.
#include "gui/installed_places.h"

std::vector<std::string> InstalledResourcesPlaces() {
  std::vector<std::string> places;
  for (const char drive : {'C', 'A', 'D', 'E', 'F', 'G', 'H', 'I'})
    places.push_back(std::string(1, drive) + ":\\Program Files\\Varnix\\Resources\\");
  return places;
}
