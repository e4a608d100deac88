// The resources the build embeds from resources.manifest. Each program installs them at start,
// before anything is looked up by identifier.
#pragma once

#include <span>

#include "resource.h"

namespace res {

std::span<const gdi::ResourceEntry> EmbeddedResources();
void InstallEmbeddedResources();

}  // namespace res
