#pragma once
// Sockets made in another namespace of a netns-run topology, e.g. a module host's.

#include <string>

namespace norvane::test {

// Moves the calling thread into a named namespace (from /run/netns) for the scope's lifetime; sockets made
// meanwhile stay there, and so do threads started meanwhile. Throws when the namespace cannot be entered.
class NamespaceScope final {
  public:
    explicit NamespaceScope(const std::string& name);
    ~NamespaceScope();
    NamespaceScope(const NamespaceScope&) = delete;
    NamespaceScope& operator=(const NamespaceScope&) = delete;

  private:
    int home_ = -1;
};

}  // namespace norvane::test
