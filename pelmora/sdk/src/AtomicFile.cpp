#include "AtomicFile.h"

#include "pelmora/clConfig.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/log.h>

#undef wxLOG_COMPONENT
#define wxLOG_COMPONENT clConfig::kLogComponent

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

const char* const kTempInfix = ".tmp.";

// The writer's process id of a temporary name "<pid>.<n>" (after the infix);
// 0 when the name is not of that form.
long WriterOf(const wxString& suffix)
{
    const wxString pid = suffix.BeforeFirst('.');
    const wxString counter = suffix.AfterFirst('.');
    long value = 0;
    unsigned long number = 0;
    if(pid.empty() || !pid.IsNumber() || !pid.ToLong(&value) || value <= 0 || counter.empty() ||
       !counter.IsNumber() || !counter.ToULong(&number)) {
        return 0;
    }
    return value;
}

bool ProcessIsGone(long pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

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

bool AtomicFile::Read(const wxString& path, std::string& contents, int* error)
{
    auto fail = [error] {
        if(error) {
            *error = errno;
        }
        return false;
    };
    FileDescriptor fd(::open(path.fn_str(), O_RDONLY | O_CLOEXEC));
    if(fd.Get() < 0) {
        return fail();
    }
    std::string data;
    char buffer[16384];
    for(;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof(buffer));
        if(got < 0) {
            if(errno == EINTR) {
                continue;
            }
            return fail();
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
        wxString::Format("%s%s%ld.%u", path, kTempInfix, static_cast<long>(::getpid()), ++s_tempCounter);
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

int AtomicFile::RemoveLeftovers(const wxString& path)
{
    const wxFileName target(path);
    wxDir folder(target.GetPath().empty() ? wxString(".") : target.GetPath());
    if(!folder.IsOpened()) {
        return 0;
    }
    const wxString prefix = target.GetFullName() + kTempInfix;
    // Names first: the folder is not changed while it is being listed.
    wxArrayString leftovers;
    wxString name;
    for(bool more = folder.GetFirst(&name, prefix + "*", wxDIR_FILES); more; more = folder.GetNext(&name)) {
        const long writer = WriterOf(name.Mid(prefix.length()));
        // A write of this process runs on this thread only, never now.
        if(writer > 0 && (writer == static_cast<long>(::getpid()) || ProcessIsGone(writer))) {
            leftovers.Add(folder.GetNameWithSep() + name);
        }
    }
    int removed = 0;
    for(const wxString& leftover : leftovers) {
        if(::unlink(leftover.fn_str()) == 0) {
            ++removed;
            wxLogMessage("Removed %s, left by a save that did not finish", leftover);
        }
    }
    return removed;
}
