#pragma once
// The real host program with the plug-in, started in a scratch folder whose
// config/ holds the plug-in's installed data files and a Tessrin.con that
// points at a simulated market; it quits by itself (--exit-after) and leaves
// its trace behind. Every wait is bounded.
#include <nlohmann/json.hpp>
#include <string>
#include <sys/types.h>
#include <vector>

class SimProcess;

class HostProcess
{
public:
    // Fills <scratch>/data/config with the installed data files and writes
    // Tessrin.con from the demo template with the market's ports. The user's
    // settings have "NoticeStartShow" off, so the bulletin tips cover no
    // window; a test that wants them turns it on.
    explicit HostProcess(const SimProcess& market);

    // Copies every file below `installed` (the build's bin/config) into
    // `scratch`, keeping sub-folders; a Tessrin.con is left out, the test
    // writes its own. Returns the number of files copied.
    static int CopyDataFiles(const std::string& installed, const std::string& scratch);
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Stores a long value in the user's settings of the run (before Start).
    void SetLongSetting(const std::string& key, long value);
    // Stores a serialised object in the user's settings of the run (before Start).
    void SetObjectSetting(const std::string& name, const nlohmann::ordered_json& value);

    // Starts pelmora with --trace and the arguments; without a display it
    // runs under xvfb-run.
    void Start(const std::vector<std::string>& args);
    // Asks the host to quit (SIGTERM), as its Exit command does; Wait then
    // tells how it ended.
    void Quit() const;
    // The exit status, or -1 when the program has not ended in time (it is
    // killed then).
    int Wait(int timeoutMs);

    // The trace lines written so far, without their time stamps.
    std::vector<std::string> TraceLines() const;
    // Their time stamps: milliseconds since the host started.
    std::vector<long long> TraceStamps() const;
    const std::string& DataDir() const { return m_dataDir; }
    // The user's folder (PELMORA_USER_DATA_DIR): config/editor.conf and the like.
    std::string UserDataDir() const { return m_dir + "/user"; }
    // The trace file, read while the program runs.
    std::string TracePath() const { return m_dir + "/trace.txt"; }
    // The started process: pelmora itself when a display was there, else xvfb-run.
    pid_t Pid() const { return m_pid; }
    // Waits until a trace line at `from` or later matches the regular
    // expression; returns its index, or -1 when the time is up.
    int WaitForLine(const std::string& pattern, int timeoutMs, int from = 0) const;
    // The trace and the program's output, for failure messages.
    std::string Describe() const;

private:
    std::string m_dir;
    std::string m_dataDir;
    pid_t m_pid = -1;
    bool m_underXvfb = false; // pelmora is then the child of m_pid
};
