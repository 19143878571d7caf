#pragma once
// The tables the picture embedding step generates (resource_data.cpp in the build
// folder): every picture file compiled in, by resource id or design name.
#include <cstddef>

namespace resources::data {

struct Resource {
    int id;
    const unsigned char* bytes;
    std::size_t size;
};

struct Design {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};

extern const Resource kResources[];
extern const std::size_t kResourceCount;
extern const Design kDesigns[];
extern const std::size_t kDesignCount;

}  // namespace resources::data
