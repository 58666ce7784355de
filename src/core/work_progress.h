#pragma once
// How a long operation on a document reports how far it got: called now and
// then with the work done and the work in all (same unit, for example nodes
// or records). Returning false asks the operation to stop where that is safe;
// operations that cannot stop half-way ignore the answer. An empty function
// is never called.
#include <cstdint>
#include <functional>

namespace core {

using WorkProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// How many nodes a walk handles between two reports: often enough for the
// window to stay responsive, rarely enough to cost nothing.
constexpr int kNodesPerReport = 8192;

} // namespace core
