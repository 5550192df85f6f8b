// Holds the full-path rule to the simple reference, and to what every full path must be.
// Fields: the root (the listed folder's absolute path), the name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/folder_listing.h"
#include "fuzz_input.h"
#include "reference_listing.h"

namespace quillet::fuzz {
namespace {

void Check(const FuzzInput& input) {
    const CodePage codePage = input.codePage;
    const std::string& root = input.fields[0];
    const std::string& name = input.fields[1];
    const std::string path = FullPath(root, name, codePage);
    const std::string expected = reference::FullPath(root, name, codePage);
    Expect(path == expected, "the full path", codePage,
           {{"root", root}, {"name", name}, {"FullPath", path}, {"reference", expected}});

    // The root and the name, whole, with at most one '/' between them, and one whenever the
    // root does not end in '/'.
    const bool joined = path.starts_with(root) && path.ends_with(name) &&
                        (path.size() == root.size() + name.size() + 1
                             ? path[root.size()] == '/'
                             : path.size() == root.size() + name.size() && root.ends_with('/'));
    Expect(joined, "root and name joined by one separator", codePage,
           {{"root", root}, {"name", name}, {"FullPath", path}});
}

}  // namespace
}  // namespace quillet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillet::fuzz::Check(quillet::fuzz::SplitInput(data, size, 2));
    return 0;
}
