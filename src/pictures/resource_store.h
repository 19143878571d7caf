#pragma once
// Where the program's picture resources come from: the numbered resources of type
// "GIF" (complete GIF or JPEG files) and the pictures of the window designs, by
// name. The client uses the set compiled into it; tests may use a small set of
// their own.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace pictures {

class ResourceStore {
  public:
    virtual ~ResourceStore() = default;
    // The raw bytes of resource `id` of type "GIF"; empty when there is none.
    virtual std::span<const std::uint8_t> bytes(int id) const = 0;
    // The picture file of a window design ("Pic1", "Score", "imgSpeakBox0", ...);
    // empty when there is none.
    virtual std::span<const std::uint8_t> design(const std::string& name) const = 0;
};

// A store held in memory, filled by its owner.
class MemoryResourceStore : public ResourceStore {
  public:
    std::map<int, std::vector<std::uint8_t>> resources;
    std::map<std::string, std::vector<std::uint8_t>> designs;

    std::span<const std::uint8_t> bytes(int id) const override {
        auto it = resources.find(id);
        if (it == resources.end()) return {};
        return it->second;
    }
    std::span<const std::uint8_t> design(const std::string& name) const override {
        auto it = designs.find(name);
        if (it == designs.end()) return {};
        return it->second;
    }
};

}  // namespace pictures
