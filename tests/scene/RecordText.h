#pragma once

#include <gtest/gtest.h>

#include <istream>
#include <sstream>
#include <string>

#include "engine/serial/ISerialization.h"
#include "engine/serial/LineReaders.h"

// Helpers of the scene tests that write records and read them back.

// The record as the object writes it.
inline std::string Write(ISerialization& record)
{
    std::ostringstream os;
    EXPECT_TRUE(record.Serialize(os));
    return os.str();
}

// The record without its class-name line: what a reader gets, its caller
// having read that line to choose the class.
inline std::string Body(const std::string& record)
{
    return record.substr(record.find("\r\n") + 2);
}

// The next line of the stream without its line end (CR LF or LF).
inline std::string NextLine(std::istream& is)
{
    std::string line;
    ReadStringLine(is, line);
    return line;
}
