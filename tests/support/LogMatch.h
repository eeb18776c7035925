// Checks a console log against expected passages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// Index of the first line at or after iFrom where vBlock appears as a run of
// consecutive lines, or -1.
inline int FindBlock(const Lines& vLog, const Lines& vBlock, int iFrom = 0) {
    if (vBlock.empty()) return iFrom;
    for (size_t i = static_cast<size_t>(iFrom); i + vBlock.size() <= vLog.size(); ++i) {
        size_t k = 0;
        while (k < vBlock.size() && vLog[i + k] == vBlock[k]) ++k;
        if (k == vBlock.size()) return static_cast<int>(i);
    }
    return -1;
}

// Every passage appears as consecutive lines, each after the one before.
// Returns the line after the last passage, or -1 (with a failure) if one is missing.
inline int ExpectPassagesInOrder(const Lines& vLog, const std::vector<Lines>& vPassages, int iFrom = 0) {
    int iAt = iFrom;
    for (size_t p = 0; p < vPassages.size(); ++p) {
        int iFound = FindBlock(vLog, vPassages[p], iAt);
        if (iFound < 0) {
            std::string sText;
            for (const std::string& s : vPassages[p]) sText += "  | " + s + "\n";
            ADD_FAILURE() << "passage " << p << " not found after line " << iAt << ":\n" << sText;
            return -1;
        }
        iAt = iFound + static_cast<int>(vPassages[p].size());
    }
    return iAt;
}

inline int CountLines(const Lines& vLog, const std::string& sLine) {
    int n = 0;
    for (const std::string& s : vLog) n += s == sLine;
    return n;
}

// Lines [iFrom, iTo) of the log.
inline Lines Slice(const Lines& vLog, int iFrom, int iTo) {
    return Lines(vLog.begin() + iFrom, vLog.begin() + iTo);
}
