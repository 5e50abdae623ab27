#pragma once
// Result tables of the computations; each computation rewrites its own tables completely.

namespace umbrix {

struct Results {
};

} // namespace umbrix
