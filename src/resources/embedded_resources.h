#pragma once
// The picture resources and window-design pictures compiled into the program.
#include "pictures/resource_store.h"

namespace resources {

// The one store over the compiled-in pictures; lives as long as the process.
const pictures::ResourceStore& embeddedStore();

}  // namespace resources
