// Captures what the game writes to the console log (standard output).
#pragma once

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

class CaptureLog {
public:
    CaptureLog() : m_pOld(std::cout.rdbuf(m_buffer.rdbuf())) {}
    ~CaptureLog() { std::cout.rdbuf(m_pOld); }

    std::string Text() const { return m_buffer.str(); }
    // The log split at each end of line; an empty line is an empty string.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::string line;
        std::istringstream in(m_buffer.str());
        while (std::getline(in, line)) lines.push_back(line);
        return lines;
    }
    void Clear() { m_buffer.str(""); }

    CaptureLog(const CaptureLog&) = delete;
    CaptureLog& operator=(const CaptureLog&) = delete;

private:
    std::ostringstream m_buffer;
    std::streambuf* m_pOld;
};
