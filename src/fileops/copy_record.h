#pragma once
// What a copy wrote, source by source, with each source file's facts as they were when its copy
// began. A move deletes exactly these sources and only while they are unchanged, so nothing that
// appeared or changed after its copy was made is lost.
#include "fileops/failure_report.h"
#include "win/file_identity.h"

#include <string>
#include <vector>

namespace findlark {

class OperationProgress;

struct CopiedFile {
    std::wstring source;
    win::FileFacts facts;
};

struct CopiedFolder {
    std::wstring source;
    win::FileIdentity identity;
};

struct CopyRecord {
    std::vector<CopiedFile> files;
    std::vector<CopiedFolder> folders;  // each before the folders inside it
};

// Deletes the recorded source files that are still what was copied (same file, size and last write),
// then the recorded folders that are empty by then, deepest first. What stays below `item` (the moved
// item's path) is named, each with its reason; a file that appeared or changed is "changed after it
// was copied". Links are never followed; a folder whose identity changed is left alone.
std::vector<Failure> DeleteCopiedSources(const std::wstring& item, const CopyRecord& record, OperationProgress& progress);

}  // namespace findlark
