// A file descriptor closed on every path out of a scope.
#pragma once

#include <unistd.h>

#include "platform/UniqueHandle.h"

namespace vx {

struct FileDescriptorCloser {
    using Handle = int;
    static constexpr int kInvalid = -1;
    void operator()(int fd) const { close(fd); }
};

class FileDescriptor : public UniqueHandle<FileDescriptorCloser> {
  public:
    using UniqueHandle::UniqueHandle;
    // Closes now, reporting whether the last writes reached the file.
    bool Close() {
        const int fd = release();
        return close(fd) == 0;
    }
};

}  // namespace vx
