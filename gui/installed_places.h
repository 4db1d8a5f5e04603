// Where an installed copy of the toolkit's resources may be, in the order the
// resources folder search tries them.  One file per system defines them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> InstalledResourcesPlaces();
