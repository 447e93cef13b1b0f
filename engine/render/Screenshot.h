#pragma once

// Takes the screenshot asked for with Print Screen. Stand-in until the
// screenshot writer exists: it only consumes the request.
void TakeScreenshot();
