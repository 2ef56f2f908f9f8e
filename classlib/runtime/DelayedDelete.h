// Deleting a program's own file once it has ended, through a hidden batch file that outlives it.
#pragma once
#include <string>

// Writes BatchPath and starts it hidden: it tries to delete Path once a second until the file is gone,
// a minute at most, then deletes itself. False when the batch file could not be written or started.
bool DeleteFileAfterExit(const std::string& path, const std::string& batchPath);
