#include "reference_listing.h"

#include "reference_expansion.h"

namespace quillet::reference {

std::string Title(std::string_view name, CodePage codePage) {
    // First walk: where the last '.' stands and where the walk ends.
    std::size_t lastDot = std::string_view::npos;
    std::size_t position = 0;
    while (position < name.size()) {
        const bool lead = IsLead(codePage, name[position]);
        if (lead && position + 1 == name.size()) {
            break;
        }
        if (!lead && name[position] == '.') {
            lastDot = position;
        }
        position += lead ? 2 : 1;
    }
    const std::size_t end = lastDot != std::string_view::npos ? lastDot : position;

    // Second walk: copy whole characters up to that end while they fit in 255 bytes.
    std::string title;
    position = 0;
    while (position < end) {
        const std::size_t length = IsLead(codePage, name[position]) ? 2 : 1;
        if (title.size() + length > 255) {
            break;
        }
        title.append(name.substr(position, length));
        position += length;
    }
    return title;
}

std::string FullPath(std::string_view root, std::string_view name, CodePage codePage) {
    // The root's last character: a lone lead byte at the end is a character of its own here,
    // since it is the root's last byte and not a '/'.
    std::string_view last;
    std::size_t position = 0;
    while (position < root.size()) {
        const bool lead = IsLead(codePage, root[position]);
        const std::size_t length = lead && position + 1 < root.size() ? 2 : 1;
        last = root.substr(position, length);
        position += length;
    }
    std::string path(root);
    if (last != "/") {
        path.push_back('/');
    }
    path.append(name);
    return path;
}

}  // namespace quillet::reference
