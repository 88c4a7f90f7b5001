#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvane/components/control_win32.h"
#include "kelvane/components/kelvane_control_win32.h"
#include "kelvane/components/settings_registry_win32.h"
#include "kelvane/components/win_saver_win32.h"
#include "platform/registry.h"
#include "platform/version_info.h"
#include "test_support/win_test_support.h"

using namespace kelvane;
using platform::RegistryKey;
using test_support::ScratchRegistry;

namespace {

const char* const kSettingsKey = "SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings";
const char* const kPositionsKey = "Software\\Nimbrel\\Kelvane\\1.0\\Positions";

// The window manager's control as its main form sets it up.
class KelvaneFixture : public ::testing::Test {
protected:
    void SetUp() override { Configure(kelvane, "1.0"); }

    void Configure(CKelvane& control, const std::string& version) {
        control.SetpCompany("Nimbrel");
        control.SetpApplicationName("Kelvane");
        control.SetRegistryVersion(version);
        control.SetpUserSettings("Settings");
        control.pOnDataAspectChanged = [this](CControl&, int aspect) { aspects.push_back(aspect); };
        control.pOnSwitchSystemHooks = [this](bool start) { hookSwitches.push_back(start); };
    }

    RegistryKey SettingsKey() { return RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey, KEY_ALL_ACCESS); }

    ScratchRegistry scratch;
    CKelvane kelvane;
    std::vector<int> aspects;
    std::vector<bool> hookSwitches;
};

}  // namespace

TEST(KelvaneVersion, RegistryVersionComesFromTheProgramsVersionResource) {
    EXPECT_EQ("1.0.0.0", platform::VersionString(platform::ModulePath(), "ProductVersion").value_or("none"));
    EXPECT_EQ("Nimbrel", platform::VersionString(platform::ModulePath(), "CompanyName").value_or("none"));
    EXPECT_EQ("1.0", RegistryVersionOfModule());

    CKelvane control;
    control.SetpCompany("Nimbrel");
    control.SetpApplicationName("Kelvane");
    control.SetRegistryVersion(RegistryVersionOfModule());
    EXPECT_EQ("\\SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings", control.Registry().KeyPath());
}

TEST(ControlProperties, EmptyPartsReadAsTheirDefaults) {
    CControl control;
    EXPECT_EQ("My Company", control.pCompany());
    EXPECT_EQ("My Application", control.pApplicationName());
    EXPECT_EQ("", control.RegistryVersion());
    EXPECT_EQ("Settings", control.pUserSettings());
    EXPECT_EQ("Positions", control.pSaveSection());
    EXPECT_EQ("\\SOFTWARE\\My Company\\My Application\\Settings", control.Registry().KeyPath());
}

TEST_F(KelvaneFixture, WithoutAKeyEverySettingHasItsDefaultAndNothingIsWritten) {
    EXPECT_EQ(KelvaneSettings(), kelvane.Settings());
    EXPECT_TRUE(aspects.empty()) << "creating the data loads it without a notification";
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Nimbrel"));

    EXPECT_FALSE(kelvane.KelvaneData().Load());
    EXPECT_EQ((std::vector<int>{kAspectDataLoaded}), aspects);
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Nimbrel"));

    ASSERT_TRUE(kelvane.KelvaneData().Save());
    EXPECT_TRUE(platform::KeyExists(HKEY_CURRENT_USER, kSettingsKey));
}

TEST_F(KelvaneFixture, StoredValuesFollowTheRules) {
    auto key = SettingsKey();
    ASSERT_TRUE(key) << test_support::LastErrorText();
    SetEnvironmentVariableA("KELVANE_TEST_DELAY", "45");

    ASSERT_TRUE(key.WriteDword("Adjust Frequency", 200));
    ASSERT_TRUE(key.WriteString("NCL Button DblClk", "nbMaximizeRestore"));
    // Wrong types: a text that is no boolean, a 64-bit number, a DWORD value of two bytes.
    ASSERT_TRUE(key.WriteString("Adjust Top", "sometimes"));
    const unsigned long long wide = 70;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.get(), "Offscreen Factor", 0, REG_QWORD,
                                            reinterpret_cast<const BYTE*>(&wide), sizeof wide));
    const WORD shortDword = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.get(), "Adjust Bottom", 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&shortDword), sizeof shortDword));
    // Oversized strings.
    ASSERT_TRUE(key.WriteString("EmptyDocumentsDelayTimeType", std::string(200000, 'm')));
    ASSERT_TRUE(key.WriteString("Extend Top", std::string(5000, '7')));
    // Accepted other forms: an expandable string, binary text, a number as text.
    ASSERT_TRUE(key.WriteExpandString("EmptyDocumentsDelay", "%KELVANE_TEST_DELAY%"));
    ASSERT_TRUE(key.WriteBinary("Extend Left", "12", 2));
    ASSERT_TRUE(key.WriteString("Extend Right", "-8"));

    const KelvaneSettings& settings = kelvane.Settings();
    EXPECT_EQ(500, settings.AdjustFrequency());
    EXPECT_EQ(CNCLButtonDblClk::NoValidValue, settings.NCLButtonDblClk());
    EXPECT_TRUE(settings.AdjustTop());
    EXPECT_EQ(25, settings.OffscreenFactor());
    EXPECT_TRUE(settings.AdjustBottom());
    EXPECT_EQ(CMinutesSecondsTimeType::NoValidValue, settings.EmptyDocumentsDelayTimeType());
    EXPECT_EQ(0, settings.EmptyDocumentsInterval()) << "an unknown unit never fires the timer";
    EXPECT_EQ(0, settings.ExtendTop());
    EXPECT_EQ(45, settings.EmptyDocumentsDelay());
    EXPECT_EQ(12, settings.ExtendLeft());
    EXPECT_EQ(-8, settings.ExtendRight());
    EXPECT_TRUE(aspects.empty());
}

TEST_F(KelvaneFixture, EmptyVersionLeavesNoEmptyPathPart) {
    CKelvane versionless;
    Configure(versionless, "");
    EXPECT_EQ("\\SOFTWARE\\Nimbrel\\Kelvane\\Settings", versionless.Registry().KeyPath());
    versionless.KelvaneData().Settings().SetOffscreenFactor(40);
    ASSERT_TRUE(versionless.KelvaneData().Save());

    auto key = RegistryKey::Open(HKEY_CURRENT_USER, "SOFTWARE\\Nimbrel\\Kelvane\\Settings");
    ASSERT_TRUE(key);
    EXPECT_EQ(40u, key.Read("Offscreen Factor")->Dword().value_or(0));
    EXPECT_EQ(25, kelvane.Settings().OffscreenFactor()) << "the versioned key is another key";
}

TEST_F(KelvaneFixture, SaveAndLoadEverySettingThroughTheRegistry) {
    KelvaneSettings& settings = kelvane.KelvaneData().Settings();
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        switch (row.type) {
        case SettingType::Boolean: settings.Set(row.setting, !row.defaultValue); break;
        case SettingType::Integer: settings.Set(row.setting, row.defaultValue + 700); break;
        case SettingType::Enumeration: settings.Set(row.setting, 1); break;
        }
    }
    settings.SetNCLButtonDblClk(CNCLButtonDblClk::nbHideWindow);
    ASSERT_TRUE(kelvane.KelvaneData().Save());
    EXPECT_EQ((std::vector<int>{kAspectDataSaved}), aspects);
    EXPECT_EQ((std::vector<bool>{false}), hookSwitches) << "Add System Menu Commands was turned off";

    auto key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_TRUE(key);
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        SCOPED_TRACE(row.valueName);
        auto stored = key.Read(row.valueName);
        ASSERT_TRUE(stored);
        if (row.type == SettingType::Enumeration) {
            EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored->type);
        } else {
            EXPECT_EQ(static_cast<DWORD>(REG_DWORD), stored->type);
        }
    }
    EXPECT_EQ(0u, key.Read("Adjust Top")->Dword().value_or(9));
    EXPECT_EQ(1u, key.Read("EmptyDocuments")->Dword().value_or(9));
    EXPECT_EQ(1700u, key.Read("Adjust Frequency")->Dword().value_or(0));
    EXPECT_EQ("nbHideWindow", key.Read("NCL Button DblClk")->Text());
    EXPECT_EQ("mstSeconds", key.Read("EmptyDocumentsDelayTimeType")->Text());

    CKelvane reader;
    std::vector<int> readerAspects;
    reader.SetpCompany("Nimbrel");
    reader.SetpApplicationName("Kelvane");
    reader.SetRegistryVersion("1.0");
    reader.pOnDataAspectChanged = [&](CControl&, int aspect) { readerAspects.push_back(aspect); };
    EXPECT_EQ(settings, reader.Settings());
    EXPECT_TRUE(readerAspects.empty());

    ASSERT_TRUE(key);
    ASSERT_TRUE(SettingsKey().WriteDword("Offscreen Factor", 60));
    EXPECT_TRUE(reader.KelvaneData().Load());
    EXPECT_EQ(60, reader.Settings().OffscreenFactor());
    EXPECT_EQ((std::vector<int>{kAspectDataLoaded}), readerAspects);
}

TEST_F(KelvaneFixture, SavingWithSystemMenuCommandsOnStartsTheHooks) {
    ASSERT_TRUE(kelvane.KelvaneData().Save());
    EXPECT_EQ((std::vector<bool>{true}), hookSwitches);
    kelvane.KelvaneData().Load();
    EXPECT_EQ((std::vector<bool>{true}), hookSwitches) << "only a save switches the hooks";
}

TEST_F(KelvaneFixture, OtherValuesThroughTheGenericReadsAndWrites) {
    CRegistryEnhanced& registry = kelvane.Registry();
    bool firstTimeRun = true;
    EXPECT_FALSE(registry.ReadBool(kFirstTimeRunValue, firstTimeRun));
    EXPECT_TRUE(firstTimeRun) << "a missing value leaves the caller's default";
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, kSettingsKey));

    ASSERT_TRUE(registry.WriteBool(kFirstTimeRunValue, false));
    ASSERT_TRUE(registry.WriteInteger(kControlLastPageValue, 3));
    ASSERT_TRUE(registry.WriteString("(Default)", "default text"));
    ASSERT_TRUE(registry.WriteString("Nested\\Inner", "deeper"));

    EXPECT_TRUE(registry.ReadBool(kFirstTimeRunValue, firstTimeRun));
    EXPECT_FALSE(firstTimeRun);
    int32_t lastPage = -1;
    EXPECT_TRUE(registry.ReadInteger(kControlLastPageValue, lastPage));
    EXPECT_EQ(3, lastPage);
    std::string text;
    EXPECT_TRUE(registry.ReadString(kControlLastPageValue, text));
    EXPECT_EQ("3", text);

    auto key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), key.Read(kFirstTimeRunValue)->type);
    EXPECT_EQ("default text", key.Read("")->Text());
    EXPECT_EQ("deeper",
              RegistryKey::Open(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\Nested").Read("Inner")->Text());

    ASSERT_TRUE(registry.WriteString("Control Last Page", "page two"));
    lastPage = 7;
    EXPECT_FALSE(registry.ReadInteger(kControlLastPageValue, lastPage));
    EXPECT_EQ(7, lastPage);
    EXPECT_TRUE(registry.DeleteValue(kControlLastPageValue));
    EXPECT_FALSE(registry.ReadValue(kControlLastPageValue));
}

TEST(SettingsRegistry, AKeyThatCannotBeOpenedReadsNothingAndTakesNoWrites) {
    ScratchRegistry scratch;
    // Key names are limited to 255 characters, so this key can never be made.
    // (Wine does not enforce the access rights of a read-only parent handle.)
    CRegistryEnhanced registry;
    registry.SetParts({std::string(300, 'N'), "Kelvane", "1.0", "Settings"});
    EXPECT_FALSE(registry.WriteBool("Adjust Top", false));
    EXPECT_FALSE(registry.WriteString("NCL Button DblClk", "nbHideWindow"));
    EXPECT_FALSE(registry.KeyExists());
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, "SOFTWARE"));

    KelvaneSettings settings;
    settings.LoadFrom(registry);
    EXPECT_EQ(KelvaneSettings(), settings);
    EXPECT_FALSE(settings.SaveTo(registry));
}

TEST(ControlParts, CompanyApplicationAndVersionChangeBothKeysAtOnce) {
    ScratchRegistry scratch;
    auto form = test_support::CreateTestWindow("TfrmPartsProbe", RECT{30, 30, 230, 130}, WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(form);
    CControl control(form.get());
    control.SetpSavePositions(true);
    control.SetpSaveOptions({CSaveOption::soSaveLocation});
    ASSERT_NE(nullptr, control.WinSaver()) << control.WinSaverError();
    const CRegistryEnhanced& settings = control.Registry();
    const CRegistryEnhanced& positions = control.WinSaver()->Registry();
    EXPECT_EQ("\\Software\\My Company\\My Application\\Positions", positions.KeyPath());

    control.SetpCompany("Nimbrel");
    control.SetpApplicationName("Kelvane");
    control.SetRegistryVersion("2.1");
    EXPECT_EQ("\\SOFTWARE\\Nimbrel\\Kelvane\\2.1\\Settings", settings.KeyPath());
    EXPECT_EQ("\\Software\\Nimbrel\\Kelvane\\2.1\\Positions", positions.KeyPath());

    control.SetpSaveSection("Windows");
    control.SetpUserSettings("Options");
    control.SetRegistryVersion("");
    EXPECT_EQ("\\SOFTWARE\\Nimbrel\\Kelvane\\Options", settings.KeyPath());
    EXPECT_EQ("\\Software\\Nimbrel\\Kelvane\\Windows", positions.KeyPath());
}

TEST(ControlParts, PositionSaverNeedsATopLevelOwner) {
    auto form = test_support::CreateTestWindow("TfrmOwnerProbe", RECT{30, 30, 230, 130}, WS_OVERLAPPEDWINDOW);
    HWND child = CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 20, 20, form.get(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(child) << test_support::LastErrorText();

    for (HWND owner : {child, static_cast<HWND>(nullptr)}) {
        CControl control(owner);
        control.SetpSavePositions(true);
        EXPECT_EQ(nullptr, control.WinSaver());
        EXPECT_EQ("Owner of a Winsaver object must be a TForm descendant", control.WinSaverError());
        EXPECT_FALSE(control.OwnerClosing());
    }
    EXPECT_FALSE(CWinSaver::Create(child, {}, {}).saver);

    CControl noSaving(form.get());
    EXPECT_EQ(nullptr, noSaving.WinSaver()) << "pSavePositions is off";
    EXPECT_EQ("", noSaving.WinSaverError());
}

namespace {

// A form that chains the saver behind its own show and close handling, as
// the program's forms do.
struct ProbeForm {
    CControl* control = nullptr;
    std::vector<std::string> events;
    RECT rectSeenByOwnShow = {};
};

LRESULT CALLBACK ProbeFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<ProbeForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form && message == WM_SHOWWINDOW && wParam) {
        form->events.push_back("own show");
        GetWindowRect(window, &form->rectSeenByOwnShow);
        form->control->OwnerShown();
        form->events.push_back("restored");
        return 0;
    }
    if (form && message == WM_CLOSE) {
        form->events.push_back("own close");
        form->control->OwnerClosing();
        form->events.push_back("saved");
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateProbeForm(const char* className, ProbeForm& form, RECT rect) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeFormProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowExA(0, className, "Probe form", WS_OVERLAPPEDWINDOW, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    return window;
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TEST(WinSaver, MainFormLocationIsSavedOnCloseAndRestoredOnShow) {
    ScratchRegistry scratch;
    CKelvane control;
    control.SetpCompany("Nimbrel");
    control.SetpApplicationName("Kelvane");
    control.SetRegistryVersion("1.0");
    control.SetpSavePositions(true);
    control.SetpSaveOptions({CSaveOption::soSaveLocation});

    ProbeForm first;
    first.control = &control;
    HWND window = CreateProbeForm("TfrmMainKelvane", first, RECT{100, 80, 400, 280});
    ASSERT_TRUE(window) << test_support::LastErrorText();
    control.SetOwnerForm(window);
    ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_EQ(100, WindowRect(window).left) << "nothing stored yet: the window stays where it is";

    ASSERT_TRUE(MoveWindow(window, 150, 120, 300, 200, TRUE));
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(window));
    EXPECT_EQ((std::vector<std::string>{"own show", "restored", "own close", "saved"}), first.events);

    auto key = RegistryKey::Open(HKEY_CURRENT_USER, kPositionsKey);
    ASSERT_TRUE(key) << "positions go under " << kPositionsKey;
    auto top = key.Read("TfrmMainKelvane_Top");
    auto left = key.Read("TfrmMainKelvane_Left");
    ASSERT_TRUE(top && left);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), top->type);
    EXPECT_EQ("120", top->Text());
    EXPECT_EQ("150", left->Text());
    EXPECT_FALSE(key.Read("TfrmMainKelvane_Width")) << "only the location was asked for";
    EXPECT_FALSE(key.Read("TfrmMainKelvane_WindowState"));

    ProbeForm second;
    second.control = &control;
    window = CreateProbeForm("TfrmMainKelvane", second, RECT{10, 10, 250, 110});
    platform::unique_hwnd owned(window);
    control.SetOwnerForm(window);
    ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_EQ(10, second.rectSeenByOwnShow.left) << "the form's own handler runs before the saver";
    RECT restored = WindowRect(window);
    EXPECT_EQ(150, restored.left);
    EXPECT_EQ(120, restored.top);
    EXPECT_EQ(240, restored.right - restored.left) << "the size was not stored, so it is kept";
    EXPECT_EQ(100, restored.bottom - restored.top);
}

TEST(WinSaver, SizeStateAndVisibilityRoundTrip) {
    ScratchRegistry scratch;
    RegistryParts parts{"Nimbrel", "Kelvane", "1.0", "Positions"};
    CSaveOptions all{CSaveOption::soSaveLocation, CSaveOption::soSaveSize, CSaveOption::soSaveState,
                     CSaveOption::soSaveVisible};
    auto form = test_support::CreateTestWindow("TfrmSaverProbe", RECT{60, 50, 380, 290});
    ASSERT_TRUE(form);
    auto creation = CWinSaver::Create(form.get(), parts, all);
    ASSERT_TRUE(creation.saver) << creation.error;
    ShowWindow(form.get(), SW_SHOWMAXIMIZED);
    ASSERT_TRUE(test_support::WaitUntil([&] { return IsZoomed(form.get()) != FALSE; }));
    ASSERT_TRUE(creation.saver->Save());

    auto key = RegistryKey::Open(HKEY_CURRENT_USER, kPositionsKey);
    ASSERT_TRUE(key);
    EXPECT_EQ("3", key.Read("TfrmSaverProbe_WindowState")->Text());
    EXPECT_EQ("1", key.Read("TfrmSaverProbe_Visible")->Text());
    EXPECT_EQ("320", key.Read("TfrmSaverProbe_Width")->Text()) << "the normal size, not the maximised one";
    EXPECT_EQ("240", key.Read("TfrmSaverProbe_Height")->Text());
    EXPECT_EQ("60", key.Read("TfrmSaverProbe_Left")->Text());

    auto other = test_support::CreateTestWindow("TfrmSaverProbe", RECT{0, 0, 100, 100});
    ASSERT_TRUE(creation.saver->Restore(other.get()));
    EXPECT_TRUE(IsZoomed(other.get()));
    ShowWindow(other.get(), SW_RESTORE);
    RECT normal = WindowRect(other.get());
    EXPECT_EQ((RECT{60, 50, 380, 290}.left), normal.left);
    EXPECT_EQ(50, normal.top);
    EXPECT_EQ(320, normal.right - normal.left);
    EXPECT_EQ(240, normal.bottom - normal.top);

    // A stored state code that names no state restores a normal window.
    ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, kPositionsKey).WriteString("TfrmSaverProbe_WindowState", "7"));
    ShowWindow(other.get(), SW_SHOWMAXIMIZED);
    ASSERT_TRUE(creation.saver->Restore(other.get()));
    EXPECT_FALSE(IsZoomed(other.get()));

    ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, kPositionsKey).WriteString("TfrmSaverProbe_Visible", "0"));
    ASSERT_TRUE(creation.saver->Restore(other.get()));
    EXPECT_FALSE(IsWindowVisible(other.get()));
}
