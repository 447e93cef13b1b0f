#pragma once

#include "engine/serial/ReaderContext.h"
#include "fuzz/FuzzTarget.h"

#include <sstream>

namespace fuzz {

// Reads the input as a record file is loaded: a reader context bound to the
// text under the input's name, its error reported when the read fails.
// `read` takes the stream and returns whether the record was read.
template <class Read> bool ReadRecordText(const Input& input, Read&& read)
{
    std::istringstream is(input.Text());
    ReaderContext context(is, input.name);
    const bool ok = read(is);
    if (!ok)
        context.Report();
    return ok;
}

} // namespace fuzz
