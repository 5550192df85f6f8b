#pragma once

#include <cstdint>
#include <string>

#include "core/code_page.h"
#include "core/folder_listing.h"

namespace quillet {

class FileSystem;
class Prompter;

// The four texts a run consumes, byte strings exactly as the front end holds them. Header and
// footer are written byte for byte (the dialog's lines end in CR LF).
struct GenerationSettings {
    std::string m_strBaseScript;    // path of the base script file
    std::string m_strTargetFolder;  // the folder to list; also the value of <TARGET_FOLDER>
    std::string m_strHeader;
    std::string m_strFooter;
};

// Everything a run needs from outside.
struct RunEnvironment {
    Prompter& prompter;
    FileSystem& fileSystem;
    CodePage codePage;
    // The largest base script the run will hold in memory (the machine's physical memory): a
    // larger one ends the run before anything is allocated rather than letting it be killed.
    std::uint64_t memoryLimit;
    // The entries to expand; empty, as in the dialog, for every entry. An entry left out adds
    // nothing to the script, and its name is not refused for holding a control character.
    EntryFilter includeEntry{};
};

// One generation run: asks for the output path (and before overwriting), then writes the
// header, one expanded copy of the base script per entry of the target folder, the footer, and
// reports the outcome in a message box. Every failure ends in the one cancellation message with
// both files closed. The current directory is left at the target folder once it was entered.
void GenerateScript(const GenerationSettings& settings, const RunEnvironment& environment);

}  // namespace quillet
