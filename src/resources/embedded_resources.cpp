#include "resources/embedded_resources.h"

#include <map>

#include "resources/embedded_data.h"

namespace resources {

namespace {

class EmbeddedStore : public pictures::ResourceStore {
  public:
    EmbeddedStore() {
        for (std::size_t i = 0; i < data::kResourceCount; ++i)
            resources_.emplace(data::kResources[i].id,
                               std::span(data::kResources[i].bytes, data::kResources[i].size));
        for (std::size_t i = 0; i < data::kDesignCount; ++i)
            designs_.emplace(data::kDesigns[i].name,
                             std::span(data::kDesigns[i].bytes, data::kDesigns[i].size));
    }
    std::span<const std::uint8_t> bytes(int id) const override {
        auto it = resources_.find(id);
        return it == resources_.end() ? std::span<const std::uint8_t>() : it->second;
    }
    std::span<const std::uint8_t> design(const std::string& name) const override {
        auto it = designs_.find(name);
        return it == designs_.end() ? std::span<const std::uint8_t>() : it->second;
    }

  private:
    std::map<int, std::span<const std::uint8_t>> resources_;
    std::map<std::string, std::span<const std::uint8_t>> designs_;
};

}  // namespace

const pictures::ResourceStore& embeddedStore() {
    static const EmbeddedStore store;
    return store;
}

}  // namespace resources
