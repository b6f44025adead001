#pragma once
// Where a test writes what it leaves behind (screenshots, pictures to look
// at after a failure): a relative name is placed beside the test program,
// in the build folder, whatever folder the program was started from.
//
//     SaveWindowScreenshot(frame, "lock_screen.png");  // build/tests/lock_screen.png
#include <filesystem>
#include <string>

inline std::string TestOutputPath(const std::string& name)
{
    const std::filesystem::path path(name);
    if(path.is_absolute()) {
        return name;
    }
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return ((error ? std::filesystem::current_path() : program.parent_path()) / path).string();
}
