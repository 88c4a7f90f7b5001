// The file iterator's searches through FindFirstFile and FindNextFile.
#pragma once

#include "kelvane/components/file_iterator.h"

namespace kelvane {

// Stateless: one instance serves every iterator of the process.
FileSearcher& WindowsFileSearcher();

}  // namespace kelvane
