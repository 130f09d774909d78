// Puts a port in place for the lifetime of an object and the port it replaced back at its end,
// so that replacements nest: a test's fake inside its fixture's, the unattended boxes of a
// termination inside whatever answered before.
#pragma once

namespace platform {

template <class Port>
class ScopedPort {
  public:
    // set: the port's setter, which returns the port it replaces.
    using Setter = Port* (*)(Port*);
    ScopedPort(Setter set, Port* port) : set_(set), previous_(set(port)) {}
    ~ScopedPort() { set_(previous_); }
    ScopedPort(const ScopedPort&) = delete;
    ScopedPort& operator=(const ScopedPort&) = delete;

  private:
    Setter set_;
    Port* previous_;
};

}  // namespace platform
