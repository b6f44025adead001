// Carries the precompiled header of the test programs (tests/CMakeLists.txt):
// built with the flags of a test program, never run.
int main()
{
    return 0;
}
