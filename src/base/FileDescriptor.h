#pragma once

#include <cerrno>
#include <unistd.h>

namespace vantor::base {

// An open file descriptor, closed when the scope ends unless closed before.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    // Closes now and reports the error that close itself may bring (a deferred write error): 0 or errno.
    int closeNow()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

} // namespace vantor::base
