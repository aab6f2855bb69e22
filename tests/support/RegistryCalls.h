// Counts the registry calls that the logic makes while the counter lives:
// it stands in front of the registry that Platform() holds and passes
// every call on.
#pragma once

#include "platform/ForwardingPlatform.h"

namespace vxtest {

class RegistryCalls final : public vx::ForwardingPlatform {
  public:
    RegistryCalls() { Install(); }

    // How often each function was called, failures included.
    int open = 0;
    int close = 0;
    int deleteKey = 0;

    long OpenKey(const char* path, uint32_t access, vx::KeyHandle* out) override {
        ++open;
        return ForwardingPlatform::OpenKey(path, access, out);
    }
    long CloseKey(vx::KeyHandle key) override {
        ++close;
        return ForwardingPlatform::CloseKey(key);
    }
    long DeleteKey(const char* path) override {
        ++deleteKey;
        return ForwardingPlatform::DeleteKey(path);
    }
};

}  // namespace vxtest
