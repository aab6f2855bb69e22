// A platform interface lists its methods once, as a macro that takes an
// expander and a context:
//
//   #define VX_FOO_METHODS(M, on)
//       M(on, result, Name, (parameters), (arguments))
//       ...
//
// The interface, each backend that implements it and the forwarding
// layer all expand that one list, so a signature is written in one place
// and a backend cannot drift from its interface.
#pragma once

// One pure virtual method of an interface.
#define VX_PURE_METHOD(on, result, name, parameters, arguments) virtual result name parameters = 0;

// One method of a class that implements an interface.
#define VX_OVERRIDE_METHOD(on, result, name, parameters, arguments) result name parameters override;

// An interface: a virtual destructor and the listed methods.
#define VX_DECLARE_INTERFACE(Interface, METHODS) \
    class Interface {                            \
      public:                                    \
        virtual ~Interface() = default;          \
        METHODS(VX_PURE_METHOD, none)            \
    }

// Inside a class body: the declarations of every listed method, each
// marked override.
#define VX_OVERRIDES(METHODS) METHODS(VX_OVERRIDE_METHOD, none)
