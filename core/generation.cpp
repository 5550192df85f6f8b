#include "core/generation.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "core/expansion.h"
#include "core/file_system.h"
#include "core/folder_listing.h"
#include "core/listed_entry.h"
#include "core/messages.h"
#include "core/prompter.h"

namespace quillet {

namespace {

// The run's own exits raise a plain integer; the handler does not look at what it caught.
[[noreturn]] void CancelRun() {
    throw 1;
}

struct FreeDeleter {
    void operator()(char* block) const noexcept {
        std::free(block);  // NOLINT(*-no-malloc,*-owning-memory)
    }
};
using Buffer = std::unique_ptr<char, FreeDeleter>;

// The base script's bytes in a zero-filled block two bytes longer than the file, so the text
// always ends in a NUL however much the read delivered.
Buffer ReadBaseScript(BaseScriptFile& file, std::uint64_t memoryLimit) {
    const std::uint64_t length = file.GetLength();
    if (memoryLimit < 2 || length > memoryLimit - 2) {
        CancelRun();
    }
    const auto size = static_cast<std::size_t>(length);
    // calloc: a block of many gigabytes costs nothing until the read fills it.
    Buffer buffer(
        static_cast<char*>(std::calloc(size + 2, 1)));  // NOLINT(*-no-malloc,*-owning-memory)
    if (!buffer) {
        throw std::bad_alloc();
    }
    if (size > 0) {
        file.Read(buffer.get(), size);
    }
    return buffer;
}

void Write(OutputFile& output, std::string_view piece) {
    output.Write(piece.data(), piece.size());
}

[[noreturn]] void Refuse(Prompter& prompter, std::string_view warning) {
    prompter.ShowMessageBox(warning, MB_ICONEXCLAMATION);
    CancelRun();
}

}  // namespace

void GenerateScript(const GenerationSettings& settings, const RunEnvironment& environment) {
    Prompter& prompter = environment.prompter;
    FileSystem& fileSystem = environment.fileSystem;

    std::unique_ptr<OutputFile> output;
    std::unique_ptr<BaseScriptFile> baseScript;
    Buffer buffer;
    try {
        const std::optional<std::string> outputPath = prompter.PromptSavePath();
        if (!outputPath) {
            CancelRun();
        }
        if (fileSystem.Exists(*outputPath) &&
            prompter.ShowMessageBox(messages::kOverwriteQuestion, MB_OKCANCEL) == IDCANCEL) {
            CancelRun();
        }
        // Writing over the base script would destroy the very file the run is about to read.
        if (fileSystem.IsSameFile(*outputPath, settings.m_strBaseScript)) {
            Refuse(prompter, messages::kBaseScriptOpenFailed);
        }
        // Checked before the output is touched, so a mistyped folder costs no file.
        if (!fileSystem.CanEnterAndList(settings.m_strTargetFolder)) {
            Refuse(prompter, messages::kTargetFolderOpenFailed);
        }
        // The folder's own path goes into every copy as well, through <TARGET_FOLDER> and
        // <TARGET_FILEPATH>: a line break in it would break every line it lands in.
        if (HoldsControlByte(settings.m_strTargetFolder)) {
            Refuse(prompter, messages::kControlCharacterName);
        }

        output = fileSystem.OpenOutput(*outputPath);
        if (!output) {
            Refuse(prompter, messages::kOutputOpenFailed);
        }
        baseScript = fileSystem.OpenBaseScript(settings.m_strBaseScript);
        if (!baseScript) {
            Refuse(prompter, messages::kBaseScriptOpenFailed);
        }
        buffer = ReadBaseScript(*baseScript, environment.memoryLimit);
        const std::string_view baseText(buffer.get());

        Write(*output, settings.m_strHeader);

        if (!fileSystem.ChangeDirectory(settings.m_strTargetFolder)) {
            Refuse(prompter, messages::kTargetFolderOpenFailed);
        }
        FolderListing listing(fileSystem, environment.codePage);
        switch (listing.FindFile()) {
            case FolderListing::Opening::kFailed:
                Refuse(prompter, messages::kTargetFolderOpenFailed);
            case FolderListing::Opening::kNoEntries:
                break;
            case FolderListing::Opening::kEntries: {
                if (listing.AnyNameHoldsControlByte(environment.includeEntry)) {
                    Refuse(prompter, messages::kControlCharacterName);
                }
                BaseScriptExpander expander(baseText, settings.m_strTargetFolder,
                                            environment.codePage);
                ListedEntry entry;
                bool more = true;
                while (more) {
                    more = listing.FindNextFile();
                    const std::string_view name = listing.GetFileNameView();
                    if (name == "." || name == "..") {
                        continue;
                    }
                    if (environment.includeEntry && !environment.includeEntry(name)) {
                        continue;
                    }
                    listing.GetListedEntry(entry);
                    Write(*output, expander.Expand(entry));
                }
                break;
            }
        }

        Write(*output, settings.m_strFooter);

        // Reset before closing: a failed close leaves the file closed, and the handler must
        // not try again.
        std::unique_ptr<OutputFile> closing = std::move(output);
        closing->Close();
        std::unique_ptr<BaseScriptFile> closingBase = std::move(baseScript);
        closingBase->Close();
    } catch (...) {
        if (output) {
            output->Abort();
        }
        if (baseScript) {
            baseScript->Abort();
        }
        buffer.reset();
        prompter.ShowMessageBox(messages::kCancelled, MB_ICONEXCLAMATION);
        return;
    }
    buffer.reset();
    prompter.ShowMessageBox(messages::kGenerated, MB_ICONINFORMATION);
}

}  // namespace quillet
