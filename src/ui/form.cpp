#include "ui/form.h"

#include <algorithm>
#include <stdexcept>

#include "ui/window_system.h"

namespace ui {

Form::Form(WindowSystem& ws, std::string formName) : ws_(&ws), name_(std::move(formName)) {}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    if (ws_->onLoaded) ws_->onLoaded(*this);
    fire(nullptr, EventKind::kLoad);
}

void Form::show() {
    load();
    visible = true;
}

bool Form::unload() {
    if (!loaded_) return true;
    Event q;
    q.kind = EventKind::kQueryUnload;
    fire(nullptr, q);
    if (q.cancel) return false;
    fire(nullptr, EventKind::kUnload);
    loaded_ = false;
    visible = false;
    focus = nullptr;
    if (ws_->onUnloaded) ws_->onUnloaded(*this);
    return true;
}

Control& Form::add(const std::string& controlName, ControlKind kind, int index,
                   Control* container) {
    if (Control* existing = find(controlName, index)) return *existing;
    controls_.push_back(std::make_unique<Control>(*this, controlName, index, kind, container));
    Control* c = controls_.back().get();
    byName_[{controlName, index}] = c;
    (container ? container->children : topLevel_).push_back(c);
    return *c;
}

Control* Form::find(const std::string& controlName, int index) {
    auto it = byName_.find({controlName, index});
    return it == byName_.end() ? nullptr : it->second;
}

const Control* Form::find(const std::string& controlName, int index) const {
    auto it = byName_.find({controlName, index});
    return it == byName_.end() ? nullptr : it->second;
}

Control& Form::at(const std::string& controlName, int index) {
    if (Control* c = find(controlName, index)) return *c;
    throw std::out_of_range(name_ + ": no control " + controlName + "(" + std::to_string(index) +
                            ")");
}

std::vector<Control*> Form::array(const std::string& controlName) {
    std::vector<Control*> out;
    for (auto it = byName_.lower_bound({controlName, -1});
         it != byName_.end() && it->first.first == controlName; ++it)
        out.push_back(it->second);
    return out;
}

std::vector<Control*>& Form::siblings(Control& c) {
    return c.container ? c.container->children : topLevel_;
}

void Form::bringToFront(Control& c) {
    auto& list = siblings(c);
    auto it = std::find(list.begin(), list.end(), &c);
    if (it == list.end()) return;
    list.erase(it);
    list.push_back(&c);
}

void Form::sendToBack(Control& c) {
    auto& list = siblings(c);
    auto it = std::find(list.begin(), list.end(), &c);
    if (it == list.end()) return;
    list.erase(it);
    list.insert(list.begin(), &c);
}

Control* Form::hitIn(const std::vector<Control*>& list, double x, double y) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        Control* c = *it;
        if (!c->visible || !c->contains(x, y)) continue;
        if (c->kind == ControlKind::kPictureBox) {
            if (Control* inner = hitIn(c->children, x - c->left, y - c->top)) return inner;
        }
        return c;
    }
    return nullptr;
}

Control* Form::hitTest(double x, double y) { return hitIn(topLevel_, x, y); }

void Form::absolutePosition(const Control& c, double& x, double& y) const {
    x = c.left;
    y = c.top;
    for (const Control* p = c.container; p; p = p->container) {
        x += p->left;
        y += p->top;
    }
}

void Form::toControl(const Control& c, double& x, double& y) const {
    double ax, ay;
    absolutePosition(c, ax, ay);
    x -= ax;
    y -= ay;
}

bool Form::effectivelyVisible(const Control& c) const {
    for (const Control* p = &c; p; p = p->container)
        if (!p->visible) return false;
    return true;
}

void Form::setFocus(Control* c) {
    if (focus == c) return;
    if (focus) fire(focus, EventKind::kLostFocus);
    focus = c;
    if (focus) fire(focus, EventKind::kGotFocus);
}

void Form::on(const std::string& controlName, EventKind kind, Handler h) {
    handlers_[{controlName, kind}] = std::move(h);
}

bool Form::fire(Control* c, Event& e) {
    auto it = handlers_.find({c ? c->name : std::string(), e.kind});
    if (it == handlers_.end() || !it->second) return false;
    it->second(c, e);
    return true;
}

}  // namespace ui
