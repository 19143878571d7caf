#include "ui/window_system.h"

namespace ui {

Form& WindowSystem::form(const std::string& name) {
    auto it = forms_.find(name);
    if (it != forms_.end()) return *it->second;
    auto f = std::make_unique<Form>(*this, name);
    Form* raw = f.get();
    forms_.emplace(name, std::move(f));
    order_.push_back(raw);
    return *raw;
}

Form* WindowSystem::find(const std::string& name) {
    auto it = forms_.find(name);
    return it == forms_.end() ? nullptr : it->second.get();
}

}  // namespace ui
