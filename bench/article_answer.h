#pragma once
// The answer the import benchmarks bring into a library: articles with three-level family paths,
// two or three suppliers each, fifty makers.

#include <string>

// The page of an answer of count articles, in CP1252 as the service sends it.
std::string AnswerPage(int count);
