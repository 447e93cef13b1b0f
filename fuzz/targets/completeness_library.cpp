#include "fuzz/FuzzTarget.h"
#include "tools/world/CompletenessLint.h"

// The completeness lint reads a library's text line by line and a code file's
// literals: any bytes give a report, never a fault.
QUENHOLT_FUZZ_TARGET(completeness_library, fuzz::Reports::Nothing)
{
    WorldNameSources sources;
    sources.library = input.Text();
    sources.codeFiles = {{input.name, input.Text()}};
    sources.worldTexts = {{input.name, input.Text()}};
    const CompletenessReport report = CheckCompleteness(sources);
    return report.missing.empty();
}
