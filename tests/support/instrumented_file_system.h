#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/file_system.h"

namespace quillet::testing {

// Forwards every operation to a real file system and records it by name ("OpenOutput",
// "Output.Write", "Base.Read", ...). `beforeEach` may throw to make an operation fail; a
// failing close still closes, as a real failed close does.
class InstrumentedFileSystem final : public FileSystem {
public:
    explicit InstrumentedFileSystem(FileSystem& inner) : m_inner(inner) {}

    std::vector<std::string> log;
    std::function<void(const std::string&)> beforeEach;
    std::function<void(const std::string&)> afterEach;
    bool listingFails = false;

    bool Exists(const std::string& path) override {
        return Call("Exists", [&] { return m_inner.Exists(path); });
    }
    bool IsSameFile(const std::string& left, const std::string& right) override {
        return Call("IsSameFile", [&] { return m_inner.IsSameFile(left, right); });
    }
    bool CanEnterAndList(const std::string& folder) override {
        return Call("CanEnterAndList", [&] { return m_inner.CanEnterAndList(folder); });
    }
    std::unique_ptr<OutputFile> OpenOutput(const std::string& path) override {
        auto file = Call("OpenOutput", [&] { return m_inner.OpenOutput(path); });
        return file ? std::make_unique<Output>(*this, std::move(file)) : nullptr;
    }
    std::unique_ptr<BaseScriptFile> OpenBaseScript(const std::string& path) override {
        auto file = Call("OpenBaseScript", [&] { return m_inner.OpenBaseScript(path); });
        return file ? std::make_unique<Base>(*this, std::move(file)) : nullptr;
    }
    bool ChangeDirectory(const std::string& folder) override {
        return Call("ChangeDirectory", [&] { return m_inner.ChangeDirectory(folder); });
    }
    bool CurrentDirectory(std::string& path) override {
        return Call("CurrentDirectory", [&] { return m_inner.CurrentDirectory(path); });
    }
    bool ListCurrentDirectory(NameList& names) override {
        return Call("ListCurrentDirectory",
                    [&] { return m_inner.ListCurrentDirectory(names) && !listingFails; });
    }

    [[nodiscard]] std::size_t Count(const std::string& operation) const {
        std::size_t count = 0;
        for (const std::string& entry : log) {
            count += entry == operation ? 1U : 0U;
        }
        return count;
    }

private:
    template <typename Operation>
    std::invoke_result_t<Operation> Call(const std::string& name, Operation&& operation) {
        log.push_back(name);
        if (beforeEach) {
            beforeEach(name);
        }
        auto result = operation();
        if (afterEach) {
            afterEach(name);
        }
        return result;
    }

    // Closing: the file is closed before a failure is reported.
    template <typename File>
    void CloseThenReport(const std::string& name, File& file) {
        log.push_back(name);
        file.Close();
        if (beforeEach) {
            beforeEach(name);
        }
    }

    void Record(const std::string& name) {
        log.push_back(name);
        if (beforeEach) {
            beforeEach(name);
        }
    }

    class Output final : public OutputFile {
    public:
        Output(InstrumentedFileSystem& owner, std::unique_ptr<OutputFile> file)
            : m_owner(owner), m_file(std::move(file)) {}
        void Write(const char* bytes, std::size_t count) override {
            m_owner.Record("Output.Write");
            m_file->Write(bytes, count);
        }
        void Close() override { m_owner.CloseThenReport("Output.Close", *m_file); }
        void Abort() noexcept override {
            m_owner.log.emplace_back("Output.Abort");
            m_file->Abort();
        }

    private:
        InstrumentedFileSystem& m_owner;
        std::unique_ptr<OutputFile> m_file;
    };

    class Base final : public BaseScriptFile {
    public:
        Base(InstrumentedFileSystem& owner, std::unique_ptr<BaseScriptFile> file)
            : m_owner(owner), m_file(std::move(file)) {}
        std::uint64_t GetLength() override {
            m_owner.Record("Base.GetLength");
            return m_file->GetLength();
        }
        void Read(char* buffer, std::size_t count) override {
            m_owner.Record("Base.Read");
            m_file->Read(buffer, count);
        }
        void Close() override { m_owner.CloseThenReport("Base.Close", *m_file); }
        void Abort() noexcept override {
            m_owner.log.emplace_back("Base.Abort");
            m_file->Abort();
        }

    private:
        InstrumentedFileSystem& m_owner;
        std::unique_ptr<BaseScriptFile> m_file;
    };

    FileSystem& m_inner;
};

}  // namespace quillet::testing
