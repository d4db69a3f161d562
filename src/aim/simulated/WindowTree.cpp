#include "aim/simulated/WindowTree.h"

#include <algorithm>
#include <utility>

namespace brevanto::aim::simulated {

Hwnd WindowTree::Create(Hwnd parent, std::string className, std::string text) {
    auto window = std::make_unique<SimWindow>();
    // Handles count up from 1 and are never reused, so a stale handle stays dead.
    window->handle = static_cast<Hwnd>(windows_.size() + 1);
    window->parent = parent;
    window->className = std::move(className);
    window->text = std::move(text);
    const Hwnd handle = window->handle;
    windows_.push_back(std::move(window));
    if (parent == 0) {
        topLevel_.insert(topLevel_.begin(), handle);
    } else if (SimWindow* owner = Find(parent)) {
        owner->children.push_back(handle);
    }
    return handle;
}

void WindowTree::Destroy(Hwnd window) {
    SimWindow* target = Find(window);
    if (target == nullptr) {
        return;
    }
    for (Hwnd child : std::vector<Hwnd>(target->children)) {
        Destroy(child);
    }
    target->alive = false;
    target->children.clear();
    if (target->parent == 0) {
        std::erase(topLevel_, window);
    } else if (SimWindow* owner = Find(target->parent)) {
        std::erase(owner->children, window);
    }
}

void WindowTree::BringToFront(Hwnd window) {
    auto it = std::find(topLevel_.begin(), topLevel_.end(), window);
    if (it != topLevel_.end()) {
        std::rotate(topLevel_.begin(), it, it + 1);
    }
}

SimWindow* WindowTree::Find(Hwnd window) {
    return const_cast<SimWindow*>(std::as_const(*this).Find(window));
}

const SimWindow* WindowTree::Find(Hwnd window) const {
    const SimWindow* record = Record(window);
    return record != nullptr && record->alive ? record : nullptr;
}

const SimWindow* WindowTree::Record(Hwnd window) const {
    if (window <= 0 || static_cast<std::size_t>(window) > windows_.size()) {
        return nullptr;
    }
    return windows_[static_cast<std::size_t>(window) - 1].get();
}

const std::vector<Hwnd>* WindowTree::SiblingsOf(Hwnd parent) const {
    if (parent == 0) {
        return &topLevel_;
    }
    const SimWindow* owner = Find(parent);
    return owner != nullptr ? &owner->children : nullptr;
}

Hwnd WindowTree::FindChild(Hwnd parent, Hwnd childAfter, const char* className,
                           const char* windowName) const {
    const std::vector<Hwnd>* siblings = SiblingsOf(parent);
    if (siblings == nullptr) {
        return 0;
    }
    auto it = siblings->begin();
    if (childAfter != 0) {
        it = std::find(siblings->begin(), siblings->end(), childAfter);
        if (it == siblings->end()) {
            return 0;
        }
        ++it;
    }
    for (; it != siblings->end(); ++it) {
        const SimWindow* window = Find(*it);
        if (className != nullptr && window->className != className) {
            continue;
        }
        if (windowName != nullptr && window->text != windowName) {
            continue;
        }
        return *it;
    }
    return 0;
}

Hwnd WindowTree::NextSibling(Hwnd window) const {
    const SimWindow* target = Find(window);
    if (target == nullptr) {
        return 0;
    }
    const std::vector<Hwnd>* siblings = SiblingsOf(target->parent);
    auto it = std::find(siblings->begin(), siblings->end(), window);
    return it + 1 != siblings->end() ? *(it + 1) : 0;
}

}  // namespace brevanto::aim::simulated
