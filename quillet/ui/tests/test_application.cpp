#include "quillet/ui/tests/test_application.h"

#include <optional>
#include <stdexcept>

#include "platform/version_info.h"
#include "quillet/strings/strings_win32.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

// Libraries from the program folder, but the language choice kept in memory:
// tests must not read or change the user's stored language.
class TestLanguageEnvironment : public Win32LanguageEnvironment {
public:
    TestLanguageEnvironment() : Win32LanguageEnvironment(std::string()) {}
    std::optional<uint32_t> ReadLanguageValue() override { return m_stored; }
    void WriteLanguageValue(uint32_t number) override { m_stored = number; }

private:
    std::optional<uint32_t> m_stored;
};

// The test program's own version facts where it has them; the names the
// language libraries and the captions need where it has none.
VersionFacts TestFacts(const std::string& programFolder) {
    VersionFacts facts = ReadVersionFacts(platform::ModulePath());
    facts.folder = programFolder;
    if (facts.internalName.empty()) facts.internalName = "quillet";
    if (facts.productName.empty()) facts.productName = "Quillet";
    return facts;
}

}  // namespace

TestApplication::TestApplication() : TestApplication(LanguageFolder()) {}

TestApplication::TestApplication(const std::string& programFolder) {
    m_language = std::make_unique<Language>(std::make_unique<TestLanguageEnvironment>(), TestFacts(programFolder));
    if (!m_language->Start()) {
        throw std::runtime_error("no quillet language library in " + programFolder);
    }
    ResetModel();
    SetApp(this);
}

TestApplication::~TestApplication() {
    SetApp(nullptr);
}

std::string TestApplication::LanguageFolder() {
    std::string path = test_support::BinPath("quillet009.mlb");
    return path.substr(0, path.rfind('\\'));
}

void TestApplication::ResetModel() {
    m_model = std::make_unique<ObjectModel>();
    RegisterStandardFactories(*m_model);
    m_model->Root()->SetProgramTitle(m_language->ExpandMacros("%pn %pv"));
}

bool TestApplication::SaveIconSet(HWND owner) {
    std::function<bool(HWND)> handler;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        ++m_saveCount;
        m_lastSaveOwner = owner;
        if (m_saveFails) return false;
        handler = m_saveHandler;
    }
    return handler ? handler(owner) : true;
}

int TestApplication::SaveCount() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_saveCount;
}

HWND TestApplication::LastSaveOwner() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lastSaveOwner;
}

void TestApplication::SetSaveFails(bool fails) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_saveFails = fails;
}

void TestApplication::SetSaveHandler(std::function<bool(HWND owner)> handler) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_saveHandler = std::move(handler);
}

bool TestApplication::RunNewItemWizard(HWND owner, Object* templateItem, const std::string& path) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_wizardCalls.push_back({owner, RefPtr<Object>(templateItem), path});
    return m_wizardResult;
}

std::vector<TestApplication::WizardCall> TestApplication::WizardCalls() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_wizardCalls;
}

void TestApplication::SetWizardResult(bool created) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_wizardResult = created;
}

}  // namespace quillet
