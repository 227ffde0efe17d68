#pragma once
// Reading ahead of an answer's articles in the service library: one query per table for a run of
// articles tells which of them, and which of their families, have no row there yet, so that each
// of those is added without a lookup of its own; the families found are known at once. What it
// learns goes into the walk in progress (CImportWalk).

#include <string_view>

class CImportWalk;

// The articles that one read ahead covers.
inline constexpr int kArticlesReadAhead = 4096;

// Reads ahead of the first kArticlesReadAhead article lines of lines (separated by CR LF): which
// have no material row, which have no supplier row, and the families of their paths. A query that
// fails keeps nothing more, the articles then being looked up one by one; a failure that undid
// the library's transaction is shown.
void ReadAhead(std::string_view lines, CImportWalk& walk);
