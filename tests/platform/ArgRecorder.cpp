// Writes each argument after the first into the file named by the first,
// each followed by a NUL byte, so any text can be compared exactly.
#include <fstream>

int main(int argc, char** argv)
{
    if(argc < 2) {
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for(int i = 2; i < argc; ++i) {
        out << argv[i] << '\0';
    }
    return out ? 0 : 1;
}
