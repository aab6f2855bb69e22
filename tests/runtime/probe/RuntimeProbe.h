// A DLL built with the shipped DLLs' runtime, for the runtime's tests. It
// reports what happens in it to the program that loads it, through two
// functions that the program exports.
#pragma once

namespace probe {

// Passes an event ("construct first", "attach", ...) to the program's
// RuntimeProbeEvent; nothing when the program has none.
void Report(const char* event);

// A static object that reports its construction and destruction.
class Witness {
  public:
    explicit Witness(const char* name);
    ~Witness();
    Witness(const Witness&) = delete;
    Witness& operator=(const Witness&) = delete;

  private:
    const char* m_name;
};

}  // namespace probe
