// Systems with one file tree: the drive-letter places of Windows all stand for
// the one place an installed copy keeps its resources (under the install
// prefix, given by the build), so it is tried once.
#include "gui/installed_places.h"

#ifndef TRIVANE_INSTALLED_RESOURCES
#define TRIVANE_INSTALLED_RESOURCES "C:\\Program Files\\Varnix\\Resources\\"
#endif

std::vector<std::string> InstalledResourcesPlaces() { return {TRIVANE_INSTALLED_RESOURCES}; }
