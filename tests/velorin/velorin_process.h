#pragma once

// Starts the real velorin-local on a free port with a data folder of the
// test's choosing, and ends it with the test. Link the CMake target
// velorin_test_process to get this header and the program's path.
#include <csignal>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef VELORIN_LOCAL_PATH
#error "link the target velorin_test_process"
#endif

class VelorinProcess final {
public:
    // Standard error goes to errorFile when one is named.
    explicit VelorinProcess(const std::string &dataDir, const std::vector<std::string> &extraArgs = {},
                            const std::string &errorFile = {})
    {
        int out[2];
        if (pipe(out) != 0)
            throw std::runtime_error("pipe");
        std::vector<std::string> args = {VELORIN_LOCAL_PATH, "--port", "0", "--data", dataDir};
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            if (!errorFile.empty())
                dup2(open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char *> argv;
            for (std::string &a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        m_port = readPort(out[0]);
        close(out[0]);
        if (m_port <= 0) {
            stop();
            throw std::runtime_error("velorin-local did not start");
        }
    }
    ~VelorinProcess() { stop(); }
    VelorinProcess(const VelorinProcess &) = delete;
    VelorinProcess &operator=(const VelorinProcess &) = delete;

    int port() const { return m_port; }
    pid_t pid() const { return m_pid; }
    // The site root, with a trailing "/".
    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }
    // The endpoints' folder, as the client's ServiceUrl.
    std::string serviceUrl() const { return baseUrl() + "nimbra/wbetz/"; }

    // Ends it the hard way, as a crash would.
    void kill9() { end(SIGKILL); }
    void stop() { end(SIGTERM); }

private:
    // The first line the service writes is its port.
    static int readPort(int fd)
    {
        int port = 0;
        char c = 0;
        while (read(fd, &c, 1) == 1 && c >= '0' && c <= '9')
            port = port * 10 + (c - '0');
        return port > 0 ? port : -1;
    }

    void end(int signal)
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, signal);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

    pid_t m_pid = -1;
    int m_port = -1;
};
