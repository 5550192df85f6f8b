#include "platform/system_info.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <limits>

namespace quillet::platform {

CodePage CodePageFromLocale() {
    locale_t environmentLocale = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (environmentLocale == static_cast<locale_t>(nullptr)) {
        return CodePage::None;
    }
    const CodePage codePage = CodePageFromCodeset(::nl_langinfo_l(CODESET, environmentLocale));
    ::freelocale(environmentLocale);
    return codePage;
}

std::uint64_t PhysicalMemoryBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        // Unknown: the allocation itself is then the only guard.
        return std::numeric_limits<std::uint64_t>::max();
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

}  // namespace quillet::platform
