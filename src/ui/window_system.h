#pragma once
// All forms of the process. The adapter walks it to put windows on the screen and
// to route input; behaviour code asks it for forms by name.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/form.h"

namespace ui {

class WindowSystem {
  public:
    Form& form(const std::string& name);  // created on first use (not loaded)
    Form* find(const std::string& name);
    const std::vector<Form*>& forms() const { return order_; }

    // Called after a form is loaded or unloaded, so the adapter can create or drop
    // its native window.
    std::function<void(Form&)> onLoaded;
    std::function<void(Form&)> onUnloaded;

  private:
    std::map<std::string, std::unique_ptr<Form>> forms_;
    std::vector<Form*> order_;
};

}  // namespace ui
