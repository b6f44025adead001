#ifndef PELMORA_ATOMICFILE_H
#define PELMORA_ATOMICFILE_H

#include <string>
#include <wx/string.h>

// Whole-file reads and crash-safe writes: the new contents go to a temporary
// file in the same folder, are flushed to disk, and then renamed over the old
// file, so a reader sees either the old or the new file, never half of one.
class AtomicFile
{
public:
    // False when the file does not exist or cannot be read; error (when
    // given) is then the reason (ENOENT: there is no such file).
    static bool Read(const wxString& path, std::string& contents, int* error = nullptr);
    // Creates missing folders. False (and the old file untouched) on failure.
    static bool Write(const wxString& path, const std::string& contents);
    // Renames the file to the first free name of path.corrupt, path.corrupt.2,
    // ... so that no earlier copy is overwritten. Returns the new name, or an
    // empty text when renaming failed.
    static wxString SetAside(const wxString& path);
    // Removes the temporary files of writes to path that never finished:
    // those of this process, and of processes that are gone. Returns how
    // many were removed.
    static int RemoveLeftovers(const wxString& path);
};

#endif // PELMORA_ATOMICFILE_H
