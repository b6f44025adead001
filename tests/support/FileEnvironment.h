#pragma once
// A test program holds the tests of a whole folder, and each file runs in a
// ctest entry of its own: an environment that one file needs (folders,
// variables) is set up only when a test of that file runs, so that it does
// not change what the other files' tests see.
//
//     HangOrderFolders* g_folders = AddFileEnvironment<HangOrderFolders>(__FILE__);
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <utility>

// Sets up and tears down the environment it holds when a test defined in the
// given source file is selected to run.
template <class Env> class FileEnvironment : public ::testing::Environment
{
public:
    explicit FileEnvironment(std::string file) : m_file(std::move(file)) {}

    Env& Inner() { return m_inner; }

    void SetUp() override
    {
        m_active = RunsTestOf(m_file);
        if(m_active) {
            m_inner.SetUp();
        }
    }

    void TearDown() override
    {
        if(m_active) {
            m_inner.TearDown();
        }
        m_active = false;
    }

private:
    static bool RunsTestOf(const std::string& file)
    {
        const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
        for(int i = 0; i < unit.total_test_suite_count(); ++i) {
            const ::testing::TestSuite& suite = *unit.GetTestSuite(i);
            for(int j = 0; j < suite.total_test_count(); ++j) {
                const ::testing::TestInfo& test = *suite.GetTestInfo(j);
                if(test.should_run() && file == test.file()) {
                    return true;
                }
            }
        }
        return false;
    }

    std::string m_file;
    Env m_inner;
    bool m_active = false;
};

// Registers Env for the tests of FILE (the caller's __FILE__); the test
// framework owns it.
template <class Env> Env* AddFileEnvironment(const char* file)
{
    auto* holder = new FileEnvironment<Env>(file);
    ::testing::AddGlobalTestEnvironment(holder);
    return &holder->Inner();
}
