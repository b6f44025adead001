#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {
// Closes a descriptor on every path out of a function.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool Close()
    {
        const bool ok = m_fd < 0 || ::close(m_fd) == 0;
        m_fd = -1;
        return ok;
    }

private:
    int m_fd;
};

std::atomic<unsigned> s_tempCounter{0};

bool WriteAll(int fd, const std::string& contents)
{
    const char* data = contents.data();
    std::size_t left = contents.size();
    while(left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if(written < 0) {
            if(errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}
} // namespace

bool AtomicFile::Read(const wxString& path, std::string& contents)
{
    FileDescriptor fd(::open(path.fn_str(), O_RDONLY | O_CLOEXEC));
    if(fd.Get() < 0) {
        return false;
    }
    std::string data;
    char buffer[16384];
    for(;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof(buffer));
        if(got < 0) {
            if(errno == EINTR) {
                continue;
            }
            return false;
        }
        if(got == 0) {
            break;
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
    contents.swap(data);
    return true;
}

bool AtomicFile::Write(const wxString& path, const std::string& contents)
{
    const wxFileName target(path);
    const wxString folder = target.GetPath();
    if(!folder.empty() && !wxFileName::DirExists(folder) &&
       !wxFileName::Mkdir(folder, 0755, wxPATH_MKDIR_FULL)) {
        wxLogError("Cannot create the folder %s", folder);
        return false;
    }
    const wxString temp =
        wxString::Format("%s.tmp.%ld.%u", path, static_cast<long>(::getpid()), ++s_tempCounter);
    FileDescriptor fd(::open(temp.fn_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if(fd.Get() < 0) {
        wxLogError("Cannot write %s: %s", path, std::strerror(errno));
        return false;
    }
    const bool written = WriteAll(fd.Get(), contents) && ::fsync(fd.Get()) == 0;
    const int error = errno;
    if(!fd.Close() || !written) {
        ::unlink(temp.fn_str());
        wxLogError("Cannot write %s: %s", path, std::strerror(error));
        return false;
    }
    if(::rename(temp.fn_str(), path.fn_str()) != 0) {
        const int renameError = errno;
        ::unlink(temp.fn_str());
        wxLogError("Cannot replace %s: %s", path, std::strerror(renameError));
        return false;
    }
    // Make the rename itself durable.
    FileDescriptor dir(
        ::open(folder.empty() ? "." : static_cast<const char*>(folder.fn_str()), O_RDONLY | O_CLOEXEC));
    if(dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
    return true;
}

wxString AtomicFile::SetAside(const wxString& path)
{
    wxString aside = path + ".corrupt";
    for(int n = 2; wxFileName::Exists(aside); ++n) {
        aside = wxString::Format("%s.corrupt.%d", path, n);
    }
    if(::rename(path.fn_str(), aside.fn_str()) != 0) {
        wxLogError("Cannot keep %s aside as %s: %s", path, aside, std::strerror(errno));
        return wxEmptyString;
    }
    return aside;
}
